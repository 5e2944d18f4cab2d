// Runs the Khronos glTF validator on every .glb and .gltf file given or found in the folders
// given, and fails when any reports an error or a warning (information and hints are listed but
// pass), or when there is no file at all. Exits 77 (a skip) when the validator is not installed.
// Usage: node validate.mjs FILE|FOLDER...
import { existsSync, readdirSync, statSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
if (!existsSync(path.join(here, 'node_modules/gltf-validator/package.json'))) {
  console.log('SKIPPED: gltf-validator is not installed (the npm install step failed or was skipped)');
  process.exit(77);
}
const { default: validator } = await import('gltf-validator');

function gltfFiles(entry) {
  if (!statSync(entry).isDirectory()) return [entry];
  return readdirSync(entry).sort().flatMap((name) => {
    const full = path.join(entry, name);
    if (statSync(full).isDirectory()) return gltfFiles(full);
    return /\.(glb|gltf)$/.test(name) ? [full] : [];
  });
}

const files = process.argv.slice(2).flatMap(gltfFiles);
if (files.length === 0) {
  console.log('no glTF file found');
  process.exit(1);
}
let failed = false;
for (const file of files) {
  const bytes = new Uint8Array(await readFile(file));
  const report = await validator.validateBytes(bytes, {
    uri: file,
    maxIssues: 0,
    externalResourceFunction: async (uri) =>
      new Uint8Array(await readFile(path.join(path.dirname(file), decodeURIComponent(uri)))),
  });
  const { numErrors, numWarnings, numInfos, numHints, messages } = report.issues;
  console.log(`${file}: ${numErrors} errors, ${numWarnings} warnings, ${numInfos} infos, ` +
              `${numHints} hints`);
  for (const m of messages)
    console.log(`  [${['error', 'warning', 'info', 'hint'][m.severity]}] ${m.code} ` +
                `${m.pointer ?? ''}: ${m.message}`);
  if (numErrors > 0 || numWarnings > 0)
    failed = true;
}
process.exit(failed ? 1 : 0);
