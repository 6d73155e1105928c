// The show's music player: libopenmpt (built for AudioWorklets, from the
// chiptune3 package, served next to this file) renders the module on the
// audio thread. The page sends "load" (the module's bytes; answered with
// "loaded"), "play" (from the start), "free"; the player answers "ready"
// once libopenmpt runs and reports the module's position as it plays.
import createLibopenmpt from './libopenmpt.worklet.js';

const framesPerQuantum = 128;
// About ten position reports a second at 44.1 or 48 kHz.
const quantaPerReport = 32;

let openmpt = null;
const openmptReady = createLibopenmpt().then((instance) => {
    openmpt = instance;
});

class KelvorMusic extends AudioWorkletProcessor {
    constructor() {
        super();
        this.module = 0;
        this.playing = false;
        this.quanta = 0;
        this.left = 0;
        this.right = 0;
        this.port.onmessage = (event) => this.handle(event.data);
        openmptReady.then(() => {
            this.left = openmpt._malloc(4 * framesPerQuantum);
            this.right = openmpt._malloc(4 * framesPerQuantum);
            this.port.postMessage({ cmd: 'ready' });
        }, (error) => this.port.postMessage({ cmd: 'failed', why: String(error) }));
    }

    handle(message) {
        if (message.cmd === 'load') {
            this.release();
            this.module = this.create(message.bytes, message.loop);
            this.port.postMessage({ cmd: 'loaded', ok: this.module !== 0 });
        } else if (message.cmd === 'play' && this.module !== 0) {
            openmpt._openmpt_module_set_position_seconds(this.module, 0);
            this.playing = true;
        } else if (message.cmd === 'free') {
            this.release();
        }
    }

    create(bytes, loop) {
        const data = new Uint8Array(bytes);
        const address = openmpt._malloc(data.length);
        openmpt.HEAPU8.set(data, address);
        const module = openmpt._openmpt_module_create_from_memory(address, data.length, 0, 0, 0);
        openmpt._free(address);
        if (module !== 0)
            openmpt._openmpt_module_set_repeat_count(module, loop ? -1 : 0);
        return module;
    }

    release() {
        if (this.module !== 0)
            openmpt._openmpt_module_destroy(this.module);
        this.module = 0;
        this.playing = false;
    }

    process(inputs, outputs) {
        if (this.module === 0 || !this.playing)
            return true; // silence
        const [left, right] = outputs[0];
        const frames = Math.min(left.length, framesPerQuantum);
        const rendered = openmpt._openmpt_module_read_float_stereo(
            this.module, sampleRate, frames, this.left, this.right);
        left.set(openmpt.HEAPF32.subarray(this.left >> 2, (this.left >> 2) + rendered));
        right.set(openmpt.HEAPF32.subarray(this.right >> 2, (this.right >> 2) + rendered));
        if (++this.quanta % quantaPerReport === 0) {
            this.port.postMessage({
                cmd: 'position',
                seconds: openmpt._openmpt_module_get_position_seconds(this.module),
                rendered: this.quanta * framesPerQuantum,
            });
        }
        return true;
    }
}

registerProcessor('kelvor-music', KelvorMusic);
