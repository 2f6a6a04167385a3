#pragma once

#include "oem_interfaces.h"

namespace zelt {

// DevicePropertySheets: answers the common property sheet protocol and, at
// its first reason, adds the pages of the printer's model.
HRESULT AnswerDevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam);

}  // namespace zelt
