// The page around the show: start screen, canvas, keys, message dialog,
// music output, and the frame loop that calls the show on every animation
// frame. Each start makes a fresh instance of the compiled show, so that it
// begins as a freshly started program does. index.html?test starts no show
// and offers window.kelvorTest.checksums(first, last) instead.
'use strict';

(function () {
    // The show's files, as the build lists them (show_files.js).
    const showFiles = kelvorShowFiles.slice();
    const pictureFiles = showFiles.filter((name) => name.endsWith('.pcx'));
    const modifierKeys = ['Shift', 'Control', 'Alt', 'AltGraph', 'Meta', 'OS', 'CapsLock', 'NumLock',
                          'ScrollLock', 'Fn'];
    const keyF11 = 122;
    const keyEnter = 13;

    const screen = document.getElementById('screen');
    const startScreen = document.getElementById('start');
    const notice = document.getElementById('notice');
    const noticeText = document.getElementById('notice-text');
    const dialog = document.getElementById('dialog');
    const context2d = screen.getContext('2d');

    // What the page is doing: 'waiting' (for the start gesture), 'starting',
    // 'running', 'ended' (a click starts it again), 'refused', 'test'.
    let state = 'waiting';
    let show = null; // the page side of the running show (Module.page)

    function showNotice(html) {
        noticeText.innerHTML = html;
        notice.hidden = false;
    }

    function toggleFullscreen() {
        if (document.fullscreenElement)
            document.exitFullscreen().catch(() => {});
        else if (document.documentElement.requestFullscreen)
            document.documentElement.requestFullscreen().catch(() => {});
    }

    // The show's files from the site folder; a file the server does not
    // have is left out, as a file missing from the show's folder would be.
    async function fetchFiles(names) {
        const fetched = await Promise.all(names.map(async (name) => {
            try {
                const response = await fetch(name, { cache: 'no-cache' });
                return response.ok ? new Uint8Array(await response.arrayBuffer()) : null;
            } catch (error) {
                return null;
            }
        }));
        const files = {};
        names.forEach((name, i) => { if (fetched[i] !== null) files[name] = fetched[i]; });
        return files;
    }

    async function newInstance(page, names) {
        const [instance, files] = await Promise.all([
            createKelvor({ page: page, print: (text) => console.log(text),
                           printErr: (text) => console.error(text) }),
            fetchFiles(names)]);
        for (const name of Object.keys(files))
            instance.FS.writeFile('/' + name, files[name]);
        return instance;
    }

    // A one-shot wait for the player's message of the given kind.
    function playerAnswer(page, kinds) {
        return new Promise((resolve) => { page.music.waiting = { kinds: kinds, resolve: resolve }; });
    }

    // The page side of one show: what the compiled show calls (kelvor.js
    // reaches it as Module.page) and what the page and its tests look at.
    function makeShowPage(audioContext) {
        // The frame's pixels, at the size the show opens its console with.
        let image = null;
        let imageWords = null;
        const page = {
            keys: [],
            acceptingKeys: false,
            framesPresented: 0,
            ended: false,
            audioContext: audioContext,
            music: { node: null, seconds: 0, rendered: 0, loaded: false, waiting: null },

            openConsole(title, width, height, fullscreen) {
                document.title = title;
                if (fullscreen && !document.fullscreenElement)
                    toggleFullscreen();
                screen.width = width;
                screen.height = height;
                image = context2d.createImageData(width, height);
                imageWords = new Uint32Array(image.data.buffer);
                startScreen.hidden = true;
                page.acceptingKeys = true;
            },
            keyWaiting() { return page.keys.length > 0 ? 1 : 0; },
            readKey() { return page.keys.length > 0 ? page.keys.shift() : -1; },
            present(pixels) {
                // 0x00RRGGBB words to the canvas's RGBA bytes, opaque.
                for (let i = 0; i < pixels.length; ++i) {
                    const p = pixels[i];
                    imageWords[i] = 0xFF000000 | ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >>> 16) & 0xFF);
                }
                context2d.putImageData(image, 0, 0);
                ++page.framesPresented;
            },
            messageBox(text, caption) {
                console.log(caption + ': ' + text);
                return showDialog(text, caption);
            },
            showEnded() {
                page.ended = true;
                page.acceptingKeys = false;
                state = 'ended';
                showNotice('<p>The show has ended.</p><p>Click to start it again.</p>');
            },

            async audioOpen() {
                const context = page.audioContext;
                if (!context || !context.audioWorklet)
                    return 0;
                try {
                    await context.audioWorklet.addModule('player/kelvor_music.worklet.js');
                    const node = new AudioWorkletNode(context, 'kelvor-music', {
                        numberOfInputs: 0, numberOfOutputs: 1, outputChannelCount: [2] });
                    node.port.onmessage = (event) => onPlayerMessage(page, event.data);
                    const answer = await playerAnswer(page, ['ready', 'failed']);
                    if (answer.cmd !== 'ready')
                        return 0;
                    node.connect(context.destination);
                    page.music.node = node;
                    return 1;
                } catch (error) {
                    console.error('music player: ' + error);
                    return 0;
                }
            },
            async audioLoad(bytes, loop) {
                const answered = playerAnswer(page, ['loaded']);
                page.music.node.port.postMessage({ cmd: 'load', bytes: bytes.buffer, loop: loop },
                                                 [bytes.buffer]);
                const answer = await answered;
                page.music.loaded = answer.ok;
                return answer.ok ? 1 : 0;
            },
            audioCommand(command) {
                const context = page.audioContext;
                const node = page.music.node;
                if (command === 'start')
                    context.resume().catch(() => {});
                else if (command === 'stop')
                    context.suspend().catch(() => {});
                else if (command === 'close') {
                    node.disconnect();
                    context.close().catch(() => {});
                } else
                    node.port.postMessage({ cmd: command });
            },
        };
        return page;
    }

    function onPlayerMessage(page, message) {
        if (message.cmd === 'position') {
            page.music.seconds = message.seconds;
            page.music.rendered = message.rendered;
        }
        const waiting = page.music.waiting;
        if (waiting && waiting.kinds.includes(message.cmd)) {
            page.music.waiting = null;
            waiting.resolve(message);
        }
    }

    // The message box: a dialog over the page that the start-up waits for.
    function showDialog(text, caption) {
        document.getElementById('dialog-caption').textContent = caption;
        document.getElementById('dialog-text').textContent = text;
        dialog.hidden = false;
        const ok = document.getElementById('dialog-ok');
        ok.focus();
        return new Promise((resolve) => {
            dialog.dismiss = () => {
                dialog.hidden = true;
                dialog.dismiss = null;
                resolve();
            };
            ok.onclick = dialog.dismiss;
        });
    }

    function frameLoop() {
        if (show.instance._kelvorFrame() !== 0)
            requestAnimationFrame(frameLoop);
    }

    // From the start gesture: the output is created here, while the gesture
    // lets sound start; the show's start-up then runs as it does natively.
    async function startShow() {
        state = 'starting';
        notice.hidden = true;
        startScreen.hidden = true;
        let audioContext = null;
        try {
            audioContext = new AudioContext();
        } catch (error) {
            console.error('no audio output: ' + error);
        }
        show = makeShowPage(audioContext);
        window.kelvorPage = show;
        try {
            show.instance = await newInstance(show, showFiles);
        } catch (error) {
            state = 'refused';
            showNotice('<p>The show could not be loaded: ' + String(error) + '</p>');
            return;
        }
        const started = await show.instance.ccall('kelvorStart', 'number', [], [], { async: true });
        if (started === 0) {
            if (audioContext)
                audioContext.close().catch(() => {});
            if (!show.ended) {
                state = 'refused';
                showNotice('<p>The show could not start.</p>');
            }
            return;
        }
        state = 'running';
        requestAnimationFrame(frameLoop);
    }

    function queueKey(event) {
        if (event.repeat || modifierKeys.includes(event.key))
            return;
        const flags = (event.shiftKey ? 1 << 16 : 0) | (event.ctrlKey ? 1 << 17 : 0) | (event.altKey ? 1 << 18 : 0);
        show.keys.push((event.keyCode & 0xFFFF) | flags);
    }

    function onKeyDown(event) {
        if (event.keyCode === keyF11 || (event.altKey && event.keyCode === keyEnter)) {
            event.preventDefault();
            toggleFullscreen();
            return;
        }
        if (!dialog.hidden) {
            if (event.keyCode === keyEnter || event.key === 'Escape' || event.key === ' ') {
                event.preventDefault();
                dialog.dismiss();
            }
            return;
        }
        if (state === 'waiting' || state === 'ended') {
            if (!event.repeat && !modifierKeys.includes(event.key)) {
                event.preventDefault();
                startShow();
            }
            return;
        }
        if (state === 'running' && show.acceptingKeys) {
            event.preventDefault();
            queueKey(event);
        }
    }

    function onClick(event) {
        if (!dialog.hidden)
            return;
        if (state === 'waiting' || state === 'ended')
            startShow();
    }

    // index.html?test: no show; frame checksums rendered here, from the
    // pictures in the site folder, as kelvor-capture --checksums prints them.
    function offerTestEntry() {
        state = 'test';
        window.kelvorTest = {
            lastRenderMean: 0,
            async checksums(first, last) {
                const instance = await newInstance({}, pictureFiles);
                const text = instance.UTF8ToString(instance._kelvorChecksums(first, last));
                if (text.startsWith('error: '))
                    throw new Error(text.substring(7));
                window.kelvorTest.lastRenderMean = instance._kelvorRenderMean();
                return text.split('\n').filter((line) => line.length > 0);
            },
        };
    }

    if (location.protocol === 'file:') {
        state = 'refused';
        showNotice('<p>KELVOR has to be served by a web server: a page opened from a file may not load'
                   + ' its WebAssembly and its music player.</p>'
                   + '<p>In the project, run <code>./scripts/web.sh</code>; or serve this folder with'
                   + ' <code>python3 -m http.server 8000 --bind 127.0.0.1</code><br>'
                   + 'and open <code>http://127.0.0.1:8000/</code>.</p>');
    } else if (typeof createKelvor !== 'function') {
        state = 'refused';
        showNotice('<p>kelvor.js is missing from the site folder.</p>');
    } else if (new URLSearchParams(location.search).has('test')) {
        offerTestEntry();
    } else {
        startScreen.hidden = false;
        window.addEventListener('click', onClick);
        window.addEventListener('dblclick', (event) => { if (state === 'running') toggleFullscreen(); });
        window.addEventListener('keydown', onKeyDown);
    }
})();
