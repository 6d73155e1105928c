// Frame checksums from the site's compiled show, run in Node.js: the same
// lines as kelvor-capture --checksums, for the pictures in a folder.
//   node [--no-experimental-fetch] node_checksums.js SITE PICTURES FIRST LAST
'use strict';

const fs = require('fs');
const path = require('path');

async function main() {
    const [site, pictures, first, last] = process.argv.slice(2);
    if (!last) {
        console.error('usage: node_checksums.js SITE PICTURES FIRST LAST');
        process.exitCode = 2;
        return;
    }
    const createKelvor = require(path.resolve(site, 'kelvor.js'));
    const instance = await createKelvor({ page: {} });
    for (let n = 1; n <= 7; ++n) {
        const name = 'data' + n + '.pcx';
        const file = path.join(pictures, name);
        if (fs.existsSync(file))
            instance.FS.writeFile('/' + name, fs.readFileSync(file));
    }
    const text = instance.UTF8ToString(instance._kelvorChecksums(Number(first), Number(last)));
    process.stdout.write(text);
    process.stderr.write('render time per frame: mean ' + instance._kelvorRenderMean().toFixed(3) + ' ms\n');
    // exitCode, not exit(): a pipe gets the whole output first.
    process.exitCode = text.startsWith('error: ') ? 1 : 0;
}

main().catch((error) => {
    console.error(error);
    process.exitCode = 1;
});
