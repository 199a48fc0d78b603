#!/usr/bin/env bash
# Fills CORPUS with seed inputs taken from the demo service: the three lists, match
# details, runner pages and pictures, plus remembered log-in files.
set -euo pipefail
build=$1
corpus=$2
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/demo-service.sh"
start_demo_service "$root/$build"
trap stop_demo_service EXIT

mkdir -p "$corpus/feeds" "$corpus/seeds-picture_fuzz" "$corpus/seeds-runner_page_fuzz" \
  "$corpus/seeds-credentials_fuzz"
get() { curl -s --max-time 10 "$DEMO_BASE$1" -o "$2"; }
lists="$DEMO_BASE/login/kx.php?login=demo&pass=demo&menu="
for menu in line live bf; do curl -s --max-time 10 "$lists$menu" -o "$corpus/feeds/$menu"; done

# A handful of match details and the pictures of their players.
ids=$(grep -o '<id>[^<]*</id>' "$corpus/feeds/line" | head -n 4 | sed 's/<[^>]*>//g')
for id in $ids; do
  get "/kx/match.php?id=$id" "$corpus/feeds/match-$id"
  for player in $(grep -o '<id_home>[^<]*</id_home>\|<id_away>[^<]*</id_away>' \
      "$corpus/feeds/match-$id" | sed 's/<[^>]*>//g'); do
    get "/kx/img/$player.png" "$corpus/seeds-picture_fuzz/$player" || true
  done
done
get "/kx/img/kx_logo.jpg" "$corpus/seeds-picture_fuzz/logo"

# Runner pages of the first radar matches.
grep -o '<m1x2>[^<]*</m1x2>[[:space:]]*<s1>[^<]*</s1>' "$corpus/feeds/bf" | head -n 3 |
  sed 's/<m1x2>\([^<]*\)<\/m1x2>[[:space:]]*<s1>\([^<]*\)<\/s1>/\1 \2/' |
  while read -r market selection; do
    get "/betting/LoadRunnerInfoAction.do?marketId=$market&selectionId=$selection" \
      "$corpus/seeds-runner_page_fuzz/$market-$selection"
  done

printf 'demo\r\ndemo\r\n' >"$corpus/seeds-credentials_fuzz/crlf"
printf 'login\npass word\n' >"$corpus/seeds-credentials_fuzz/lf"
printf 'only one line' >"$corpus/seeds-credentials_fuzz/one"
