// Serves draw_glb.html, three.js from node_modules and the run folder's course.glb and
// info.json on a free loopback port, opens the page in headless Chromium and waits for the
// page's verdict; writes the picture to drawn.png and exits 1 on any failure or timeout.
// Usage: node draw_glb.js PAGE_DIR RUNDIR SCALE
const { spawn } = require('child_process');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');

const [pageDir, run, scale] = process.argv.slice(2);
const types = { '.html': 'text/html', '.js': 'text/javascript', '.json': 'application/json',
                '.glb': 'model/gltf-binary' };
const files = {
    '/draw_glb.html': path.join(pageDir, 'draw_glb.html'),
    '/course.glb': path.join(run, 'course.glb'),
    '/info.json': path.join(run, 'info.json'),
};
const threeDir = path.join(run, 'node_modules', 'three');
const log = path.join(run, 'chromium.log'); // the browser's messages and the page's console

// A fresh profile for each run, so that nothing of an earlier run is reused.
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-chromium-'));
let browser = null;
function finish(status, message) {
    console.log(message);
    if (browser) {
        try {
            process.kill(-browser.pid, 'SIGKILL'); // the browser and its helper processes
        } catch (e) { /* already gone */ }
    }
    fs.rmSync(profile, { recursive: true, force: true, maxRetries: 5 });
    process.exit(status);
}

const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    if (request.method === 'POST' && url.pathname === '/result') {
        const chunks = [];
        request.on('data', (chunk) => chunks.push(chunk));
        request.on('end', () => {
            response.end();
            const result = JSON.parse(Buffer.concat(chunks).toString());
            const picture = path.join(run, 'drawn.png');
            if (result.picture) {
                fs.writeFileSync(picture, Buffer.from(result.picture.split(',')[1], 'base64'));
                console.log(`picture: ${picture}`);
            }
            for (const failure of result.failures) console.log(`FAIL ${failure}`);
            finish(result.failures.length ? 1 : 0,
                   `${result.points} points, ${result.roadPixels} road pixels, ` +
                   `${result.farPixels} far pixels checked: ` +
                   (result.failures.length ? 'failed' : 'the road is where the course is'));
        });
        return;
    }
    // Only the listed files and what lies inside the three package.
    let file = files[url.pathname];
    if (!file && url.pathname.startsWith('/three/')) {
        file = path.join(threeDir, path.normalize(url.pathname.slice('/three/'.length)));
        if (!file.startsWith(threeDir + path.sep)) file = undefined;
    }
    fs.readFile(file || '', (error, data) => {
        if (error) {
            console.log(`not served: ${url.pathname}`);
            response.writeHead(404);
            response.end();
            return;
        }
        response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'text/plain' });
        response.end(data);
    });
});

server.listen(0, '127.0.0.1', () => {
    const page = `http://127.0.0.1:${server.address().port}/draw_glb.html?scale=${scale}`;
    // Software WebGL through ANGLE's SwiftShader; no network but the page's own server.
    browser = spawn('/usr/bin/chromium', [
        '--headless', '--no-sandbox', '--disable-gpu', '--use-angle=swiftshader',
        '--enable-unsafe-swiftshader', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync',
        '--enable-logging=stderr', '--log-level=0', `--user-data-dir=${profile}`, page,
    ], { detached: true, stdio: ['ignore', 'ignore', fs.openSync(log, 'w')] });
    browser.on('exit', (code) =>
        finish(1, `chromium ended (${code}) before the page's verdict; see ${log}`));
});
setTimeout(() => finish(1, `no verdict from the page in 20 s; see ${log}`), 20000);
