#!/usr/bin/env bash
# The window's thread runs one event loop and nothing else ever runs one: no code in src/
# may turn a loop of its own or wait inside a handler. The few places allowed are named
# here with their reason; anything else that matches fails `make test`.
set -euo pipefail
cd "$(dirname "$0")/.."

# Loops of their own: event processing, exec() of a loop, dialog or menu, Qt's static
# dialogs (each runs exec()), and the blocking waits of Qt's objects. Only src/ui links Qt,
# so only there is an exec() Qt's (elsewhere it is the history's SQL).
everywhere='processEvents|QEventLoop|waitFor[A-Za-z]*\('
qtOnly='(\.|::|->)exec\(|QMessageBox::(critical|warning|information|question|about)\(|QFileDialog::get|QInputDialog::get|QColorDialog::get|QFontDialog::get'

allowed=(
  # The application's one loop, run by main.
  'src/ui/main.cpp:.*app\.exec\(\)'
  # The tool's own loop: without a window, korvex-cli runs each action to its end.
  'src/cli/blocking_loop\.h'
  # The screenshot tool's one loop, on which its script runs.
  'src/ui/screenshot/screenshot_main\.cpp:.*QApplication::exec\(\)'
  # The demo service is started before the window's loop and stopped after it.
  'src/ui/platform/demo_launch\.cpp:.*(waitForFinished|waitForReadyRead)'
)

found=$( (grep -rnE "$everywhere" src --include='*.cpp' --include='*.h' || true
          grep -rnE "$qtOnly" src/ui --include='*.cpp' --include='*.h' || true) |
        grep -vE '^[^:]*:[0-9]+:\s*//' || true)
for allow in "${allowed[@]}"; do
  found=$(printf '%s\n' "$found" | grep -vE "^$allow" || true)
done
found=$(printf '%s\n' "$found" | sed '/^$/d')
if [ -n "$found" ]; then
  echo "A loop or wait of its own outside the window's one loop:" >&2
  printf '%s\n' "$found" >&2
  exit 1
fi
echo "One loop: no nested loop or wait in src/."
