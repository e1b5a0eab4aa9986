#!/bin/sh
# Every kernel build defines its outside-visible functions in its own
# namespace only (sc::engine::<build>::): a shared helper left out of
# line in a wide build could otherwise be linked into the plain one and
# stop it on processors without those instructions.
# Arguments: the object files; the build is named by the folder
# sc_engine_<build>.dir each lies in.
status=0
for obj in "$@"; do
  build=$(basename "$(dirname "$obj")" .dir)
  build=${build#sc_engine_}
  stray=$(nm -C --defined-only "$obj" | awk '$2 ~ /^[TWi]$/' | grep -v " sc::engine::${build}::")
  if [ -n "$stray" ]; then
    echo "$obj defines symbols outside sc::engine::${build}::"
    echo "$stray"
    status=1
  fi
done
exit $status
