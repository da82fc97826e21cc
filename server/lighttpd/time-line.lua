-- GET /cgi-bin/date: the time line, as a clock command in UTC prints it ("Tue Dec  8 12:59:59 UTC 2026"), taken
-- from this machine's clock at each request. It reads nothing of the request, and no one may keep the answer.
-- Runs inside the web server, so a request costs no process of its own.
local r = lighty.r
r.resp_header["Content-Type"] = "text/plain; charset=us-ascii"
r.resp_header["Cache-Control"] = "no-store, no-cache, max-age=0"
r.resp_header["Pragma"] = "no-cache"
r.resp_header["Expires"] = "Thu, 01 Jan 1970 00:00:00 GMT"
-- "!" asks for UTC; the server runs in the C locale, so the names are English.
r.resp_body:set({ os.date("!%a %b %e %H:%M:%S UTC %Y\n") })
return 200
