# Sourced by the scripts that run the built programs under Wine: picks the
# architecture (ZELT_WINE_ARCH, x64 unless set: the 64-bit module, which runs
# on every machine here, also where 32-bit programs cannot run) and from it the
# folder of the built programs (ZELT_BIN) and the Wine prefix (WINEPREFIX),
# each unless already set. Needs $root, the repository's top folder.
export ZELT_WINE_ARCH=${ZELT_WINE_ARCH:-x64}
case "$ZELT_WINE_ARCH" in
  x86) bin=${ZELT_BIN:-$root/build/win32/bin}; export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix} ;;
  x64) bin=${ZELT_BIN:-$root/build/win64/bin}; export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix64} ;;
  *) echo "ZELT_WINE_ARCH must be x86 or x64, not '$ZELT_WINE_ARCH'" >&2; exit 2 ;;
esac
