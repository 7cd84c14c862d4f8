# Sourced by the Win32 scripts. build_win32 cross-builds orvanta.exe and its
# test helper in build/win32. start_wine readies Wine there, on the screen
# that DISPLAY names: its prefix made once, its server and services started
# detached, so that no caller waits on their output. End it with: wineserver -k
# check_system_dlls EXE fails unless EXE needs only Windows' own DLLs.
win32_build=build/win32

check_system_dlls() {
  local dlls
  dlls=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | LC_ALL=C sort | xargs)
  if [ "$dlls" != "COMCTL32.dll GDI32.dll KERNEL32.dll USER32.dll msvcrt.dll" ]; then
    echo "$1 needs other DLLs than Windows' own: $dlls" >&2
    return 1
  fi
  echo "$(basename "$1") imports: $dlls"
}

build_win32() {
  cmake -S . -B "$win32_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$win32_build" -j2
}

start_wine() {
  export WINEPREFIX=$PWD/$win32_build/wineprefix WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # Made on the screen: a desktop process started without one shows no window later.
  [ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -p >/dev/null 2>&1 </dev/null || true  # fails when wineboot left one running
  # A program that crashes ends at once, instead of waiting in Wine's crash dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
}
