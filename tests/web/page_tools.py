"""What the page's browser tests share, whichever browser they drive: a
served copy of the site, waiting for a condition (every wait gives up within
a minute and says what it waited for), and the capture tool's checksums
that the page's frames must equal."""
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

PICTURES = ['data%d.pcx' % n for n in range(1, 8)]
FRAMES = 8100


def free_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


class Site:
    """A copy of the site folder, with other pictures or a file missing where
    a test asks, served by python3 -m http.server on 127.0.0.1."""

    def __init__(self, site, replace_from=None, remove=()):
        self.folder = tempfile.mkdtemp(prefix='kelvor-site-')
        self.server = None
        try:
            shutil.copytree(site, self.folder, dirs_exist_ok=True)
            if replace_from:
                for name in PICTURES:
                    shutil.copy(os.path.join(replace_from, name), os.path.join(self.folder, name))
            for name in remove:
                os.remove(os.path.join(self.folder, name))
            self.port = free_port()
            self.server = subprocess.Popen(
                [sys.executable, '-m', 'http.server', str(self.port), '--bind', '127.0.0.1'],
                cwd=self.folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.url = 'http://127.0.0.1:%d/' % self.port
            wait_for(self._answers, 10, 'the web server on port %d' % self.port)
        except BaseException:
            self.close()
            raise

    def _answers(self):
        try:
            socket.create_connection(('127.0.0.1', self.port), timeout=0.2).close()
            return True
        except OSError:
            return False

    def close(self):
        if self.server:
            self.server.terminate()
            try:
                self.server.wait(10)
            except subprocess.TimeoutExpired:
                self.server.kill()
                self.server.wait()
        shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()


def wait_for(condition, seconds=20, what='the condition'):
    """The first true value of condition(), asked every 50 ms; after seconds
    without one, AssertionError naming what was awaited."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError('gave up after %g s waiting for %s' % (seconds, what))
        time.sleep(0.05)


def capture_checksums(capture, pictures, last=FRAMES):
    """kelvor-capture's checksum lines for frames 1..last of these pictures."""
    out = subprocess.run([capture, '--assets', pictures, '--last', str(last), '--checksums'],
                         check=True, capture_output=True, text=True, timeout=60).stdout
    return out.splitlines()
