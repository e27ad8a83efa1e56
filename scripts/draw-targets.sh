#!/usr/bin/env bash
# Draws the program and the project's own libraries as the build links them
# (CMake's --graphviz output of a fresh configuration), each library in a box
# for the folder that builds it, into docs/targets.png. Tests, tools and the
# system's libraries other than the Firebird client are left out, and so is
# every link that follows from others (tred). Needs graphviz (dot, tred).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
output=${1:-$root/docs/targets.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/CMakeGraphVizOptions.cmake" <<'EOF'
set(GRAPHVIZ_GRAPH_NAME targets)
set(GRAPHVIZ_INTERFACE_LIBS OFF)
set(GRAPHVIZ_GENERATE_PER_TARGET OFF)
set(GRAPHVIZ_GENERATE_DEPENDERS OFF)
set(GRAPHVIZ_IGNORE_TARGETS
    ".*_test" ".*_test_support" "^qt_test_main$" "^fuzz_.*" "^bench_.*"
    "^quorvel-cmd$" "^quorvel-scramble$" "^terminal-simulator$" "^uikit-gallery$"
    "^fitlink$" "^bemasb32$" "^simulatedterminal$"
    "^Qt6::" "^OpenGL::" "^GTest::" "^dl$" "libsystemd")
EOF
cmake -S "$root" -B "$work" --graphviz="$work/targets.dot" > "$work/configure.log" \
  || { cat "$work/configure.log" >&2; exit 1; }

# The folder whose CMakeLists.txt adds a target; none for the top level.
folder_of() {
  local file
  file=$(grep -lE "add_(library|executable)\($1([ )]|\$)" "$root"/*/CMakeLists.txt | head -n 1 || true)
  [ -n "$file" ] && basename "$(dirname "$file")"
}

# The nodes and edges of CMake's drawing without its legend; external
# libraries named by their file name alone.
awk '
  /^subgraph clusterLegend/ { legend = 1 }
  legend { if ($0 == "}") legend = 0; next }
  /\[ label = / || / -> / { gsub(/label = "[^"]*\//, "label = \""); gsub(/\.so"/, "\""); print }
' "$work/targets.dot" > "$work/body.dot"

{
  echo 'digraph targets {'
  echo '  rankdir = TB; nodesep = 0.3; ranksep = 0.5;'
  echo '  node [ fontname = "Liberation Sans", fontsize = 13 ];'
  echo '  edge [ color = "#555555" ];'
  cat "$work/body.dot"
  declare -A members=()
  while read -r id name; do
    folder=$(folder_of "$name") || continue
    members[$folder]+=" \"$id\";"
  done < <(sed -nE 's/^ *"(node[0-9]+)" \[ label = "([^"]+)".*/\1 \2/p' "$work/body.dot")
  for folder in "${!members[@]}"; do
    echo "  subgraph \"cluster_$folder\" { label = \"$folder/\"; fontname = \"Liberation Sans\"; style = rounded; color = \"#3366aa\";${members[$folder]} }"
  done
  echo '}'
} > "$work/clustered.dot"

tred "$work/clustered.dot" | dot -Tpng -Gdpi=96 -o "$output"
echo "$output"
