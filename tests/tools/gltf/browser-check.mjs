// Renders a shot's .glb with three.js in headless Chromium through the exported camera and
// checks it against the animation and mesh files it came from: at each frame the marker mesh
// lands where the camera key's own projection puts it, and the spot light lights the ground
// inside its cone and not outside. The predictions use only the keys (vxrinfo --json), never
// the glTF file. Exits 77 (a skip) when three.js or Chromium is not installed.
//
// node browser-check.mjs --npm DIR --chromium EXE --vxrinfo EXE --glb F --anim F --mesh F
//   --camera NAME --marker NAME --light NAME --ground NAME --frames A,B [--fps 24]
//   [--pictures DIR]
// The ground is the mesh record the spot shines on: a flat one, in any of the file's planes.
import { execFileSync, spawnSync } from 'node:child_process';
import { existsSync, mkdirSync } from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const args = {};
for (let i = 2; i < process.argv.length; i += 2) args[process.argv[i].slice(2)] = process.argv[i + 1];
const skip = (why) => { console.log(`SKIPPED: ${why}`); process.exit(77); };
if (!existsSync(path.join(args.npm, 'node_modules/three/package.json')))
  skip('three.js is not installed (the npm install step failed or was skipped)');
if (!args.chromium || !existsSync(args.chromium))
  skip('Chromium is not installed (Debian package "chromium", installed by .ci/run)');

const failures = [];
const check = (ok, text) => { console.log(`${ok ? 'ok  ' : 'FAIL'} ${text}`); if (!ok) failures.push(text); };

const json = (file) => JSON.parse(execFileSync(args.vxrinfo, ['--json', file], { encoding: 'utf8' }));
const anim = json(args.anim);
const mesh = json(args.mesh);
const fps = Number(args.fps || 24);
const frames = args.frames.split(',').map(Number);

const sub = (a, b) => a.map((v, i) => v - b[i]);
const add = (a, b) => a.map((v, i) => v + b[i]);
const scale = (a, s) => a.map((v) => v * s);
const dot = (a, b) => a.reduce((s, v, i) => s + v * b[i], 0);
const cross = (a, b) => [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];
const unit = (a) => scale(a, 1 / Math.sqrt(dot(a, a)));

const track = (list, name) => {
  const found = list.find((t) => t.name.includes(name));
  if (!found) { console.log(`no track named like ${name}`); process.exit(1); }
  return found;
};
const keyAt = (t, frame) => t.keys.find((k) => k.frame === frame);
const camera = track(anim.cameras, args.camera);
const light = track(anim.lights, args.light);
const zUp = anim.upAxis === 'z';

// Mesh files are z-up; the animation file's keys are in its own axes.
const toAnimAxes = (p) => (zUp ? p : [p[0], p[2], -p[1]]);
// The bounding box of a mesh record, in the animation file's axes.
function bounds(name) {
  const record = mesh.records.find((r) => r.name === name);
  if (!record) { console.log(`no mesh record ${name}`); process.exit(1); }
  const points = record.points.map(toAnimAxes);
  return [[0, 1, 2].map((c) => Math.min(...points.map((p) => p[c]))),
          [0, 1, 2].map((c) => Math.max(...points.map((p) => p[c])))];
}
const [lo, hi] = bounds(args.marker);
const markerCentre = scale(add(lo, hi), 0.5);
const [groundLo, groundHi] = bounds(args.ground || 'ground');
const flat = [0, 1, 2].find((c) => groundHi[c] - groundLo[c] === 0);
if (flat === undefined) { console.log('the ground mesh is not flat along an axis'); process.exit(1); }
const level = groundLo[flat];

const first = camera.keys[0];
const width = first.imageWidth;
const height = first.imageHeight;

// The pixel where a key's camera shows point p: through the window on its near plane.
function project(key, p) {
  const d = key.eyeOffset[2];
  const dir = key.plane.direction;
  const up = key.plane.up;
  const eye = sub(key.plane.origin, scale(dir, d));
  const rel = sub(p, eye);
  const depth = dot(rel, dir);
  const right = unit(cross(dir, up));
  const x = (dot(rel, right) * d) / depth;
  const y = (dot(rel, up) * d) / depth;
  const [left, bottom] = key.window.origin;
  const [w, h] = key.window.size;
  return [((x - left) / w) * width, ((bottom + h - y) / h) * height];
}
const inPicture = ([x, y]) => x >= 2 && y >= 2 && x < width - 2 && y < height - 2;

// Ground points the spot's cone covers and does not: where its axis meets the ground, and
// points along the ground until the angle from the axis is 0.25 rad beyond the cone.
function spotProbes(cameraKey, lightKey) {
  const pos = lightKey.position;
  const axis = unit(sub(lightKey.target, pos));
  const centre = add(pos, scale(axis, (level - pos[flat]) / axis[flat]));
  const outer = lightKey.coneHalfAngle + Math.max(lightKey.penumbraAngle, 0);
  const angle = (p) => Math.acos(dot(unit(sub(p, pos)), axis));
  const horizontal = [];
  for (const c of [0, 1, 2].filter((c) => c !== flat))
    for (const sign of [1, -1]) horizontal.push([0, 1, 2].map((i) => (i === c ? sign : 0)));
  const outside = [];
  for (const e of horizontal) {
    let s = 1;
    while (angle(add(centre, scale(e, s))) < outer + 0.25 && s < 1e6) s *= 1.05;
    const pixel = project(cameraKey, add(centre, scale(e, s)));
    if (inPicture(pixel)) outside.push(pixel);
  }
  return { inside: project(cameraKey, centre), outside };
}

const predictions = frames.map((frame) => {
  const key = keyAt(camera, frame);
  const lightKey = keyAt(light, frame);
  if (!key || !lightKey) { console.log(`no key at frame ${frame}`); process.exit(1); }
  return { marker: project(key, markerCentre), spot: spotProbes(key, lightKey) };
});

const page = pathToFileURL(path.join(args.npm, 'render.html')).href;
const glb = pathToFileURL(path.resolve(args.glb)).href;
const chromiumFlags = ['--headless', '--no-sandbox', '--disable-gpu', '--use-angle=swiftshader',
  '--enable-unsafe-swiftshader', '--allow-file-access-from-files', '--hide-scrollbars',
  '--virtual-time-budget=30000', `--window-size=${width},${height}`];
const url = (query) => `${page}?${new URLSearchParams({ glb, camera: args.camera, marker: args.marker,
  fps: String(fps), w: String(width), h: String(height), ...query })}`;

const probes = predictions.map((p) => [p.spot.inside, ...p.spot.outside]);
const run = spawnSync(args.chromium, [...chromiumFlags, '--dump-dom',
  url({ mode: 'check', frames: frames.join(','), probes: JSON.stringify(probes) })],
  { encoding: 'utf8', timeout: 120000 });
const attribute = /data-result="([^"]*)"/.exec(run.stdout || '');
if (!attribute) {
  console.log(`Chromium gave no result (status ${run.status}):\n${(run.stderr || '').slice(-2000)}`);
  process.exit(1);
}
const unescape = (s) => s.replace(/&quot;/g, '"').replace(/&lt;/g, '<').replace(/&gt;/g, '>')
  .replace(/&#39;/g, "'").replace(/&amp;/g, '&');
const result = JSON.parse(unescape(attribute[1]));
if (result.error) { console.log(`the page failed: ${result.error}`); process.exit(1); }

const tolerance = 3;
result.frames.forEach((seen, f) => {
  const want = predictions[f];
  const m = seen.marker;
  check(m && m.pixels > 0, `frame ${seen.frame}: the marker is in the picture (${m ? m.pixels : 0} pixels)`);
  if (m && m.pixels > 0) {
    const dx = m.x - want.marker[0];
    const dy = m.y - want.marker[1];
    check(Math.abs(dx) <= tolerance && Math.abs(dy) <= tolerance,
      `frame ${seen.frame}: marker at (${m.x.toFixed(1)}, ${m.y.toFixed(1)}), predicted ` +
      `(${want.marker[0].toFixed(1)}, ${want.marker[1].toFixed(1)})`);
  }
  const [inside, ...outside] = seen.brightness;
  check(inside >= 60, `frame ${seen.frame}: the ground under the spot is lit (${inside} of 255)`);
  check(outside.length > 0, `frame ${seen.frame}: ground outside the cone is in the picture`);
  for (const b of outside)
    check(b * 4 <= inside, `frame ${seen.frame}: ground outside the cone is dark (${b} of 255)`);
});
if (predictions.length >= 2) {
  const [a, b] = predictions;
  check(Math.hypot(a.marker[0] - b.marker[0], a.marker[1] - b.marker[1]) > 20,
    'the camera moves between the frames, so the two frames test different views');
}

if (args.pictures) {
  mkdirSync(args.pictures, { recursive: true });
  for (const frame of frames) {
    const file = path.resolve(args.pictures, `${path.basename(args.glb, '.glb')}-frame${frame}.png`);
    spawnSync(args.chromium, [...chromiumFlags, `--screenshot=${file}`,
      url({ mode: 'show', frames: String(frame) })], { timeout: 120000 });
    check(existsSync(file), `picture of frame ${frame}: ${file}`);
  }
}
process.exit(failures.length ? 1 : 0);
