"""Debian's Firefox ESR, headless, driven over WebDriver BiDi, which Firefox
speaks itself: no driver program, and the WebSocket client is Debian's
python3-websocket. Only the commands the page's tests use, in the shapes
Firefox 128 and later take. Every command gives up after a minute at most,
saying what it waited for; a browser that stopped answering is asked nothing
more, so that the tests after it fail at once and it is stopped."""
import base64
import json
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

import websocket

# The profile's user.js. Nothing is fetched but the served site: every
# address other than 127.0.0.1 and localhost (which Firefox never sends to a
# proxy) goes to a proxy that is not there.
PREFS = {
    # Sound may start without a gesture too: the tests' clicks are gestures,
    # but the checksum page makes no sound at all.
    'media.autoplay.default': 0,
    'app.update.auto': False,
    'app.update.checkInstallTime': False,
    'app.update.disabledForTesting': True,
    'browser.shell.checkDefaultBrowser': False,
    'browser.startup.page': 0,
    'browser.startup.homepage_override.mstone': 'ignore',
    'startup.homepage_welcome_url': 'about:blank',
    'startup.homepage_welcome_url.additional': '',
    'browser.aboutwelcome.enabled': False,
    'datareporting.policy.dataSubmissionEnabled': False,
    'toolkit.telemetry.reportingpolicy.firstRun': False,
    'browser.sessionstore.resume_from_crash': False,
    'extensions.update.enabled': False,
    'browser.search.update': False,
    'browser.safebrowsing.malware.enabled': False,
    'browser.safebrowsing.phishing.enabled': False,
    'browser.safebrowsing.downloads.enabled': False,
    'network.captive-portal-service.enabled': False,
    'network.connectivity-service.enabled': False,
    'network.dns.disablePrefetch': True,
    'network.prefetch-next': False,
    'network.http.speculative-parallel-limit': 0,
    'network.proxy.type': 1,
    'network.proxy.http': '127.0.0.1',
    'network.proxy.http_port': 9,
    'network.proxy.ssl': '127.0.0.1',
    'network.proxy.ssl_port': 9,
}

LISTENING = re.compile(r'WebDriver BiDi listening on (ws://\S+)')
ESCAPE = '\ue00c'  # the WebDriver key value of Esc
# The longest a command may take: the longest, the checksums of a whole
# cycle, takes a few seconds.
COMMAND_SECONDS = 60


class BidiError(Exception):
    pass


class Firefox:
    """firefox-esr on a fresh profile of its own, with one BiDi session."""

    def __init__(self, binary, seconds=30):
        self.profile = tempfile.mkdtemp(prefix='kelvor-firefox-')
        with open(self.profile + '/user.js', 'w') as prefs:
            for name, value in PREFS.items():
                prefs.write('user_pref(%s, %s);\n' % (json.dumps(name), json.dumps(value)))
        self.process = subprocess.Popen(
            [binary, '--headless', '--no-remote', '--remote-debugging-port', '0', '--profile', self.profile],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
            text=True, errors='replace')
        self.log = []  # Firefox's stderr, for a failure's message
        self.url = None
        listening = threading.Event()
        threading.Thread(target=self._read_log, args=(listening,), daemon=True).start()
        self.socket = None
        self.last_id = 0
        self.stuck = None  # what Firefox left unanswered, once it has
        try:
            if not listening.wait(seconds) or not self.url:
                ended = self.process.poll()
                raise BidiError('%s:\n%s' % (
                    'gave up after %d s waiting for Firefox to start its BiDi server' % seconds if ended is None
                    else 'Firefox exited with status %d before it started its BiDi server' % ended,
                    ''.join(self.log[-20:])))
            # No Origin header: Firefox refuses connections from web pages' origins.
            self.socket = websocket.create_connection(self.url + '/session', suppress_origin=True, timeout=seconds)
            self.version = self.command('session.new', 'a BiDi session', seconds,
                                        capabilities={})['capabilities']['browserVersion']
        except BaseException:
            self.close()
            raise

    def _read_log(self, listening):
        for line in self.process.stderr:
            self.log.append(line)
            found = LISTENING.search(line)
            if found and not self.url:
                self.url = found.group(1)
                listening.set()
        listening.set()  # Firefox has ended

    def command(self, method, what=None, seconds=COMMAND_SECONDS, **params):
        """Sends one command and returns its result; events are not asked for.
        After seconds without the answer, BidiError naming what it was for
        (what, or the method), and every later command fails at once."""
        if self.stuck:
            raise BidiError('%s: not sent, Firefox stopped answering: %s' % (method, self.stuck))
        self.last_id += 1
        self.socket.send(json.dumps({'id': self.last_id, 'method': method, 'params': params}))
        deadline = time.monotonic() + seconds
        while True:
            try:
                self.socket.settimeout(max(0.001, deadline - time.monotonic()))
                reply = json.loads(self.socket.recv())
            except websocket.WebSocketTimeoutException:
                self.stuck = 'gave up after %g s waiting for Firefox to answer %s (%s)' % (
                    seconds, method, what or 'its result')
                raise BidiError(self.stuck) from None
            if reply.get('id') != self.last_id:
                continue
            if 'error' in reply:
                raise BidiError('%s: %s: %s' % (method, reply['error'], reply.get('message', '')))
            return reply['result']

    def close(self):
        if self.socket and not self.stuck:
            try:
                self.command('browser.close', 'the browser to close', 10)
            except BidiError as error:
                print('note: %s; Firefox is stopped' % error, file=sys.stderr)
            except (websocket.WebSocketException, OSError):
                pass  # it closed the connection as it ended
        if self.socket:
            self.socket.close()
        if self.socket is None or self.stuck:
            self.process.terminate()  # it never took a session, or stopped answering
        try:
            self.process.wait(20)
        except subprocess.TimeoutExpired:
            print('note: gave up after 20 s waiting for Firefox to end; killed', file=sys.stderr)
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


class Tab:
    """A tab of its own, in front, with a 1000x700 viewport."""

    def __init__(self, browser):
        self.browser = browser
        self.context = browser.command('browsingContext.create', type='tab')['context']
        self.command('browsingContext.setViewport', viewport={'width': 1000, 'height': 700})

    def command(self, method, what=None, **params):
        return self.browser.command(method, what, context=self.context, **params)

    def navigate(self, url):
        self.command('browsingContext.navigate', 'the page %s to load' % url, url=url, wait='complete')

    def value(self, expression):
        """The value of a JavaScript expression in the page (awaited if it is a
        promise), as JSON carries it: undefined comes back as None."""
        result = self.browser.command(
            'script.evaluate', 'the value of ' + expression, target={'context': self.context}, awaitPromise=True,
            expression='(async () => JSON.stringify([await (%s)]))()' % expression)
        if result['type'] == 'exception':
            raise BidiError('%s: %s' % (expression, result['exceptionDetails']['text']))
        return json.loads(result['result']['value'])[0]

    def box(self, selector):
        """x, y, width and height of the element in the viewport."""
        return self.value('(() => { const r = document.querySelector(%s).getBoundingClientRect();'
                          ' return [r.x, r.y, r.width, r.height]; })()' % json.dumps(selector))

    def click(self, selector):
        """A left click at the middle of the element."""
        x, y, width, height = self.box(selector)
        self.command('input.performActions', actions=[{
            'type': 'pointer', 'id': 'mouse', 'parameters': {'pointerType': 'mouse'},
            'actions': [{'type': 'pointerMove', 'x': int(x + width / 2), 'y': int(y + height / 2)},
                        {'type': 'pointerDown', 'button': 0},
                        {'type': 'pointerUp', 'button': 0}]}])

    def press(self, key):
        """One key down and up: a character, or a WebDriver key value (ESCAPE)."""
        self.command('input.performActions', actions=[{
            'type': 'key', 'id': 'keyboard',
            'actions': [{'type': 'keyDown', 'value': key}, {'type': 'keyUp', 'value': key}]}])

    def screenshot(self, selector):
        """The element as the viewport shows it, as PNG bytes."""
        x, y, width, height = self.box(selector)
        data = self.command('browsingContext.captureScreenshot',
                            clip={'type': 'box', 'x': x, 'y': y, 'width': width, 'height': height})['data']
        return base64.b64decode(data)

    def close(self):
        self.command('browsingContext.close')
