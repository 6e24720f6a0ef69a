#!/usr/bin/env bash
# What the game prints and returns for each kind of command line a player may type. Run without
# a display, so a command line the game accepts goes on until the window cannot open (exit 1):
# that shows the resource-directory line comes first and does not stop the game.
set -u
game="$1"
resource_dir="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/no-shaders/models"
hint="; pass the game's resource directory as the only argument (see galeskerry --help)"
window_failure="Galeskerry could not open its OpenGL 3.3 window; see the messages above."

# arguments | exit code | text the output must hold ("" for none) | text it must not hold
cases=(
  "--bogus|2|galeskerry: unknown option --bogus|"
  "-x|2|galeskerry: unknown option -x|"
  "$resource_dir --fullscreen|2|galeskerry: unknown option --fullscreen|"
  "/nonexistent/sea|1|Galeskerry: resource directory /nonexistent/sea not found$hint|"
  "$scratch/no-shaders|1|Galeskerry: resource directory $scratch/no-shaders has no shaders folder$hint|"
  "$resource_dir|1|$window_failure|resource directory"
  "--help|0|Usage: galeskerry [RESOURCE_DIR]|unknown option"
)

failed=0
for case in "${cases[@]}"; do
  IFS='|' read -r arguments expected_status expected_text forbidden_text <<<"$case"
  # shellcheck disable=SC2086  # the arguments are split as a shell would split them
  output="$(cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY "$game" $arguments 2>&1)"
  status=$?
  problems=()
  [ "$status" -eq "$expected_status" ] || problems+=("exit code $status, expected $expected_status")
  grep -qxF -- "$expected_text" <<<"$output" || problems+=("no line '$expected_text'")
  if [ -n "$forbidden_text" ] && grep -qF -- "$forbidden_text" <<<"$output"; then
    problems+=("says '$forbidden_text'")
  fi
  case "$expected_status" in
    2) grep -qxF "Usage: galeskerry [RESOURCE_DIR]" <<<"$output" || problems+=("no usage")
       grep -qxF "$window_failure" <<<"$output" && problems+=("tried to open the window") ;;
    1) # The game goes on after naming the directory: the window's failure comes after it.
       grep -qxF "$window_failure" <<<"$output" || problems+=("did not go on to open the window")
       [ "$(head -n 1 <<<"$output")" = "$expected_text" ] || [ "$expected_text" = "$window_failure" ] ||
         problems+=("the resource directory is not named first") ;;
  esac
  if [ "${#problems[@]}" -eq 0 ]; then
    echo "ok   galeskerry $arguments -> $status"
  else
    failed=1
    echo "FAIL galeskerry $arguments: ${problems[*]}"
    echo "$output" | sed 's/^/     | /'
  fi
done
exit "$failed"
