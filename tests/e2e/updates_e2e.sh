#!/usr/bin/env bash
# The real binary fetches the daylight-saving text and the newsletter, end to end: in the same private network as
# the Auto Set test, the two double-clicks on "HUXO" in the system time window must store the server's dst.txt
# byte for byte in the program's record and its picture unchanged, fetch every file of the newsletter whole, and
# show the newsletter window with the server's picture in it, pixel for pixel.
# Usage: updates_e2e.sh BUILD_DIR [SCREENSHOT]
set -euo pipefail
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$0" "$@"
shot=${2:-}
for tool in import compare; do
    command -v "$tool" >/dev/null || skip "$tool not found"
done

start_huxo updates ""
systime=$(open_system_time_window) || exit
# The "HUXO" label right of Auto Set: the first double-click arms the retrieval, the second runs it.
click_in "$systime" 248 189 2
sleep 0.5
click_in "$systime" 248 189 2
newsletter=$(wait_window "HUXO TIMES Newsletter") || exit
sleep 1
import -window root "$work/screen.png"
[ -z "$shot" ] || cp "$work/screen.png" "$shot"

# dst.txt keeps the text as one record: its length, two bytes little-endian, then the text as it came.
stored=$folder/dst.txt
served=$content/dst.txt
size=$(stat -c %s "$served")
length=$(od -An -tu2 -N2 --endian=little "$stored" 2>/dev/null | tr -d ' ')
[ "$length" = "$size" ] || fail "dst.txt records a length of ${length:-nothing}, not the $size bytes served"
tail -c +3 "$stored" 2>/dev/null | head -c "$size" | cmp -s - "$served" ||
    fail "the text in dst.txt is not the served text byte for byte"
cmp -s "$folder/pic.gif" "$content/picc.gif" || fail "pic.gif is not the served picture"

for file in dst.txt head.txt news.txt picc.gif; do
    answered " www\.huxo-clock\.net \"GET /x__c51/${file/./\\.} HTTP/[0-9.]+\" 200 $(stat -c %s "$content/$file")\$" ||
        fail "$file was not fetched whole from the primary update server"
done
e2e_show_requests

# The picture sits 16 px in and 111 px down in the newsletter window, at its own size.
read -r x y < <(window_origin "$newsletter")
differing=$(compare -metric AE "$work/screen.png[120x120+$((x + 16))+$((y + 111))]" "$content/picc.gif" null: 2>&1) ||
    true
[ "$differing" = 0 ] || fail "the newsletter window does not show the served picture ($differing pixels differ)"

stop_huxo
[ "$failed" -eq 0 ] && echo "PASS"
exit "$failed"
