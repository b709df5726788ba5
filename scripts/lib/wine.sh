# Wine prefixes, displays and wineservers for the scripts. Sourced, not run; needs
# lib/machine.sh.
#
# A worker is a folder with a Wine prefix (prefix/, copied afresh for each run from the
# template that all builds in one build folder share), the name of an X display of its
# own (display) and, while a run lasts, a wineserver of its own. Two workers share nothing: a broadcast window message reaches
# only the windows of its own wineserver, so tests in different workers cannot see each
# other's windows.

# Heap checking: freed memory is filled with 0xfeeefeee, so a use of a destroyed object
# crashes instead of passing by luck.
export WINEDEBUG=${WINEDEBUG:--all,warn+heap}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Bump when the settings below change, so that older build folders get them too.
wine_prefix_version=3

# Runs a Wine command that is no program of ours (wineboot, reg, cmd) in WINEPREFIX, with
# the 64-bit loader, which every machine has.
wine_tool() {
  WINELOADER=$(wine_loader x86_64) "$(wine_loader x86_64)" "$@"
}

# The template prefix of the build in folder $1 (build/i686, build/demo, ...): one for
# every build beside it, since one 64-bit prefix runs the programs of both architectures.
wine_template() {
  echo "$(cd "$1/.." && pwd)/wine-template"
}

# Makes a 64-bit prefix (where 32-bit programs run too, when the 32-bit loader is there)
# in $1, with the settings the tests rely on. Does nothing when it is ready; a second
# caller waits for the first.
wine_prepare_prefix() {
  local prefix=$1
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    wine_make_prefix "$prefix"
  ) 9>"$prefix.lock"
}

wine_make_prefix() {
  local prefix=$1
  [ "$(cat "$prefix/.ready" 2>/dev/null)" = "$wine_prefix_version" ] && return 0
  echo "wine: preparing a Wine prefix in $prefix"
  rm -rf "$prefix"
  (
    export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
    wine_tool wineboot -i >/dev/null 2>&1
    # A crash must never wait for a click in a dialog.
    wine_tool reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # Xvfb has no window manager: Wine draws the window frames itself, and destroying a
    # window does not wait for a manager that never answers.
    wine_tool reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # Wine's own fonts (Tahoma among them) where every program finds them.
    cp -n /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w
  )
  echo "$wine_prefix_version" >"$prefix/.ready"
}

# Copies the prefix $1 to $2, afresh: whatever a run left there (a test killed before it
# put System.INI back, say) is gone. The folders of Wine's own libraries, most of a prefix
# and never written, are shared as hard links; everything else is a copy of its own.
wine_copy_prefix() {
  local from=$1 to=$2 shared=(system32 syswow64 winsxs)
  rm -rf "$to"
  mkdir -p "$to"
  (cd "$from" && tar --exclude="./drive_c/windows/system32" --exclude="./drive_c/windows/syswow64" \
                     --exclude="./drive_c/windows/winsxs" -cf - .) | (cd "$to" && tar -xf -)
  local dir
  for dir in "${shared[@]}"; do
    [ -d "$from/drive_c/windows/$dir" ] && cp -al "$from/drive_c/windows/$dir" "$to/drive_c/windows/$dir"
  done
  return 0
}

# Starts Xvfb on a free display; writes its name to $1/display and its process id to
# $1/xvfb.pid.
wine_start_display() {
  local worker=$1 n
  rm -f "$worker/display" "$worker/display.number"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$worker/display.number" >/dev/null 2>&1 &
  echo $! >"$worker/xvfb.pid"
  for _ in $(seq 100); do
    n=$(cat "$worker/display.number" 2>/dev/null || true)
    if [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ]; then
      echo ":$n" >"$worker/display"
      return 0
    fi
    sleep 0.1
  done
  echo "wine: Xvfb did not start" >&2
  return 1
}

# Starts the worker's persistent wineserver. Wine's helper processes inherit the output
# pipes of the first Wine command, so that first command writes nowhere a caller waits on.
wine_start_server() {
  local worker=$1
  (
    export WINEPREFIX=$worker/prefix DISPLAY=$(cat "$worker/display")
    wineserver -p
    wine_tool cmd /c exit </dev/null >/dev/null 2>&1 || true
  )
}

wine_stop_worker() {
  local worker=$1
  WINEPREFIX=$worker/prefix wineserver -k >/dev/null 2>&1 || true
  [ -f "$worker/xvfb.pid" ] && kill "$(cat "$worker/xvfb.pid")" >/dev/null 2>&1 || true
  rm -f "$worker/xvfb.pid"
}

# Prepares $3 workers in the folder $2 (numbered 0, 1, ...), each with its prefix (a copy
# of the template $1), display and wineserver, and writes CTest's resource file
# $2/resources.json: one "wine" slot a worker. wine_stop_workers ends them.
wine_start_workers() {
  local template=$1 dir=$2 count=$3 i
  mkdir -p "$dir"
  wine_prepare_prefix "$template"
  for ((i = 0; i < count; i++)); do
    wine_copy_prefix "$template" "$dir/$i/prefix"
    wine_start_display "$dir/$i"
    wine_start_server "$dir/$i"
  done
  {
    printf '{"version": {"major": 1, "minor": 0}, "local": [{"wine": ['
    for ((i = 0; i < count; i++)); do
      [ "$i" -gt 0 ] && printf ', '
      printf '{"id": "%d", "slots": 1}' "$i"
    done
    printf ']}]}\n'
  } >"$dir/resources.json"
  echo "$count" >"$dir/count"
}

wine_stop_workers() {
  local dir=$1 i
  for ((i = 0; i < $(cat "$dir/count" 2>/dev/null || echo 0); i++)); do wine_stop_worker "$dir/$i"; done
}

# Points WINEPREFIX and DISPLAY at a worker: the one CTest gave the running test (its
# resource group "wine"), else worker 0 of TIPP_WINE_WORKERS. Sets wine_worker_id.
wine_enter_worker() {
  local id=0
  if [ -n "${CTEST_RESOURCE_GROUP_0_WINE:-}" ]; then
    id=${CTEST_RESOURCE_GROUP_0_WINE#id:}
    id=${id%%,*}
  fi
  wine_worker_id=$id
  if [ -n "${TIPP_WINE_WORKERS:-}" ]; then
    export WINEPREFIX=$TIPP_WINE_WORKERS/$id/prefix
    DISPLAY=$(cat "$TIPP_WINE_WORKERS/$id/display")
    export DISPLAY
  fi
}
