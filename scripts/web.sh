#!/usr/bin/env bash
# Builds the viewer page and serves it on 127.0.0.1 with the sample files
# beside it (made by the main job, scripts/main-job.sh), printing the address.
# Installs missing Debian packages first when run as root.
#
#   scripts/web.sh [PORT]                  serve (default port 8080) until Ctrl-C
#   scripts/web.sh --screenshot FILE.png   the page with the sample family
#                                          open, taken by headless Chromium
set -euo pipefail
cd "$(dirname "$0")/.."

screenshot=""
port=8080
case "${1:-}" in
  --screenshot) screenshot=${2:?"--screenshot needs a file"} ;;
  --help) sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
  "") ;;
  *) port=$1 ;;
esac

scripts/deps.sh build web
scripts/main-job.sh >/dev/null
site=build/release/web-wasm/web/site
if [ ! -f "$site/vantrel-viewer.wasm" ]; then
  echo "web.sh: the viewer page was not built; the configure output says why (Viewer page)" >&2
  exit 1
fi
serve=build/web-site
rm -rf "$serve"
mkdir -p "$serve"
cp "$site"/* "$serve"/
cp build/sample-run/out/*.sh build/sample-run/out/*.shp "$serve"/

if [ -z "$screenshot" ]; then
  echo "The viewer: http://127.0.0.1:$port/index.html?src=fleet.shp"
  echo "Samples beside it: $(cd "$serve" && ls ./*.sh ./*.shp | sed 's|^\./||' | tr '\n' ' ')"
  exec python3 -m http.server --bind 127.0.0.1 --directory "$serve" "$port"
fi

# Debian's Python holds python3-selenium. The server and the browser are
# this script's own and end with it.
/usr/bin/python3 - "$serve" "$screenshot" <<'EOF'
import functools, os, sys, tempfile, threading
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

class Quiet(SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


serve, out = sys.argv[1], sys.argv[2]
handler = functools.partial(Quiet, directory=serve)
server = ThreadingHTTPServer(("127.0.0.1", 0), handler)
threading.Thread(target=server.serve_forever, daemon=True).start()
options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--hide-scrollbars", "--window-size=1280,900",
             "--user-data-dir=" + tempfile.mkdtemp(prefix="web-screenshot-")):
    options.add_argument(flag)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    driver.get(f"http://127.0.0.1:{server.server_address[1]}/index.html?src=fleet.shp")
    WebDriverWait(driver, 60).until(lambda d: d.execute_script(
        "return document.body.dataset.state === 'ready'"))
    driver.execute_script("""
      const set = (id, value) => { const e = document.getElementById(id);
        e.value = value; e.dispatchEvent(new Event("input")); };
      set("view-frame", 3);
      document.getElementById("view-bounds").click();
      document.getElementById("view-hotspot").click();""")
    driver.save_screenshot(out)
finally:
    driver.quit()
    server.shutdown()
print(out)
EOF
