# Plain C++ sources with no Windows calls: built into the DLL and natively
# into the unit tests.
set(ZELT_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/frame/oem_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame/devmode_header.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame/page_plan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame/sheet_page_sets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings/setting_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings/setting_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pages/common/help_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pages/common/numeric_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings/printer_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pages/common/apply_verdict.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logo/logo_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logo/logo_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logo/logo_stream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spool/raw_job.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pages/raster/raster_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/journal/journal_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/journal/copy_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pages/zoom/zoom_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pages/etb/etb_model.cpp
)
set(ZELT_PORTABLE_INCLUDE_DIR ${CMAKE_CURRENT_LIST_DIR})
