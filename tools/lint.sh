#!/usr/bin/env bash
# clang-format and clang-tidy over the project's code, with the configurations checked in at the root.
# Needs the win64 build configured, for its compile commands.
set -euo pipefail
cd "$(dirname "$0")/.."

sources=$(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | grep -v '^build/')
echo "lint: clang-format"
clang-format --dry-run --Werror $sources

# clang cannot read the program's CP936 execution charset, which changes no code, and needs to be
# told where the MinGW C++ headers are.
mkdir -p build/lint
python3 - <<'PY'
import glob, json, re
cxx = sorted(glob.glob('/usr/lib/gcc/x86_64-w64-mingw32/*-posix/include/c++'))[-1]
entries = []
for entry in json.load(open('build/win64/compile_commands.json')):
    if not re.search(r'/(app|picker|hidden|platform|resources)/[^/]+\.cpp$', entry['file']):
        continue
    command = entry['command'].replace('-fexec-charset=CP936', '')
    entry['command'] = re.sub(r'^\S+', f'clang++ --target=x86_64-w64-mingw32 -isystem {cxx} '
                              f'-isystem {cxx}/x86_64-w64-mingw32 -isystem {cxx}/backward', command)
    entries.append(entry)
json.dump(entries, open('build/lint/compile_commands.json', 'w'), indent=1)
PY
echo "lint: clang-tidy"
program=$(git ls-files -- 'app/*.cpp' 'picker/*.cpp' 'hidden/*.cpp' 'platform/*.cpp' 'resources/*.cpp')
clang-tidy --quiet -p build/lint $program 2> >(grep -v 'warnings generated' >&2)
echo "lint: clean"
