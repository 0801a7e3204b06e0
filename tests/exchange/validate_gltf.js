// Runs the Khronos glTF validator on each file given, reading the files a .gltf names from
// beside it; prints one line per file and every message, and fails on any error or warning.
const validator = require(require('path').join(process.cwd(), 'node_modules', 'gltf-validator'));
const fs = require('fs');
const path = require('path');

async function validate(file) {
    const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
        uri: path.basename(file),
        externalResourceFunction: (uri) =>
            fs.promises.readFile(path.join(path.dirname(file), decodeURIComponent(uri)))
                .then((bytes) => new Uint8Array(bytes)),
    });
    const issues = report.issues;
    console.log(`${file}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
                `${issues.numInfos} infos, ${issues.numHints} hints`);
    for (const m of issues.messages) {
        console.log(`  ${m.severity} ${m.code} ${m.pointer || ''} ${m.message}`);
    }
    return issues.numErrors === 0 && issues.numWarnings === 0;
}

(async () => {
    let passed = true;
    for (const file of process.argv.slice(2)) {
        passed = (await validate(file)) && passed;
    }
    process.exit(passed ? 0 : 1);
})();
