// Trace parity: kelvora-render compiled to WebAssembly against the desktop
// build, for every scene, both frame counts, every parameter value and three
// screens, each with --all --trace. Operations, colours, widths, styles and
// texts must be identical; a coordinate may differ only by what a last-bit
// difference of sin/cos between the two C libraries becomes (see TOLERANCE).
//   node web/tests/trace_parity.mjs NATIVE_RENDER WEB_RENDER_JS
import { spawn } from 'node:child_process';
import { cpus } from 'node:os';

const [native, web] = process.argv.slice(2);
if (!native || !web) {
  console.error('usage: node trace_parity.mjs NATIVE_RENDER WEB_RENDER_JS');
  process.exit(2);
}

// A coordinate is a float printed with 9 significant digits. The scenes
// compute in double, so a last-bit difference of sin/cos reaches the trace
// only as a float one unit in the last place apart, or, where a scene rounds
// to a whole number, one whole unit (a point one pixel over). Measured over
// every case below: see BENCHMARKS.md and the closing summary.
const TOLERANCE = { floatUlps: 2, wholeUnits: 1 };

const SCREENS = ['1280x800', '1920x1080', '1024x768'];
const PARAMETERS = { 10: range(1, 5), 11: range(1, 5), 14: range(1, 40), 15: range(0, 16) };
function range(a, b) { return Array.from({ length: b - a + 1 }, (_, i) => a + i); }

// Probes on every scene with a medium: a place or two well inside it.
const PROBES = {
  1: ['300', '460'], 2: ['245', '35'], 3: ['215'], 4: ['160', '200'], 5: ['340', '100'], 6: ['300', '360'],
  7: ['360'], 8: ['480,100', '340,120'], 9: ['320,100', '100,60'], 10: ['200', '40'], 11: ['200'],
};

const cases = [];
for (let scene = 0; scene < 16; ++scene)
  for (const frames of [12, 24])
    for (const param of PARAMETERS[scene] ?? [null])
      for (const screen of SCREENS) {
        const args = ['--scene', String(scene), '--frames', String(frames), '--screen', screen, '--all', '--trace'];
        if (param !== null) args.push('--param', String(param));
        cases.push(args);
      }
for (const [scene, places] of Object.entries(PROBES))
  for (const frames of [12, 24])
    for (const param of PARAMETERS[scene] ?? [null]) {
      const args = ['--scene', scene, '--frames', String(frames), '--all', '--trace', ...places.flatMap((p) => ['--probe', p])];
      if (param !== null) args.push('--param', String(param));
      cases.push(args);
    }

function run(command, args) {
  return new Promise((resolve) => {
    const child = spawn(command, args, { stdio: ['ignore', 'pipe', 'pipe'] });
    const out = [];
    const err = [];
    child.stdout.on('data', (b) => out.push(b));
    child.stderr.on('data', (b) => err.push(b));
    child.on('close', (status) => resolve({ status, stdout: Buffer.concat(out).toString('utf8'), stderr: Buffer.concat(err).toString('utf8') }));
  });
}

// Which fields of each operation are coordinates; the rest must match as text.
const NUMERIC = { scale: [1, 2, 3, 4], line: [1, 2, 3, 4], box: [1, 2, 3, 4], circle: [1, 2, 3], pset: [1, 2], print: [1, 2, 3], probe: [3] };

const f32 = new Float32Array(1);
const i32 = new Int32Array(f32.buffer);
function floatOrdinal(v) {
  f32[0] = v;
  const bits = i32[0];
  return bits < 0 ? -2147483648 - bits : bits;
}

// null when the fields agree; else what differs.
function compareField(a, b) {
  if (a === b) return null;
  const x = Number(a);
  const y = Number(b);
  if (!Number.isFinite(x) || !Number.isFinite(y)) return { fatal: true };
  const ulps = Math.abs(floatOrdinal(x) - floatOrdinal(y));
  const whole = Number.isInteger(x) && Number.isInteger(y);
  const ok = ulps <= TOLERANCE.floatUlps || (whole && Math.abs(x - y) <= TOLERANCE.wholeUnits);
  return { fatal: !ok, abs: Math.abs(x - y), ulps };
}

function compareTraces(a, b) {
  const la = a.split('\n');
  const lb = b.split('\n');
  const result = { lines: la.length, differing: 0, maxAbs: 0, maxUlps: 0, fatal: null };
  if (la.length !== lb.length) {
    result.fatal = `line counts ${la.length} and ${lb.length}`;
    return result;
  }
  for (let i = 0; i < la.length; ++i) {
    if (la[i] === lb[i]) continue;
    const ta = la[i].split(' ');
    const tb = lb[i].split(' ');
    const op = ta[0];
    const numeric = NUMERIC[op];
    // A text is everything after print's three numbers.
    const fields = op === 'print' ? 4 : Math.max(ta.length, tb.length);
    const textA = op === 'print' ? ta.slice(4).join(' ') : '';
    const textB = op === 'print' ? tb.slice(4).join(' ') : '';
    let bad = op !== tb[0] || !numeric || textA !== textB || (op !== 'print' && ta.length !== tb.length);
    for (let f = 1; f < fields && !bad; ++f) {
      if (ta[f] === tb[f]) continue;
      if (!numeric.includes(f)) { bad = true; break; }
      const d = compareField(ta[f], tb[f]);
      if (d.fatal) { bad = true; break; }
      result.maxAbs = Math.max(result.maxAbs, d.abs);
      result.maxUlps = Math.max(result.maxUlps, d.ulps);
    }
    if (bad) {
      result.fatal = `line ${i + 1}: native "${la[i]}", web "${lb[i]}"`;
      return result;
    }
    ++result.differing;
  }
  return result;
}

let failed = 0;
let passed = 0;
let differingLines = 0;
let casesWithDifferences = 0;
const started = Date.now();

async function check(args) {
  const [n, w] = await Promise.all([run(native, args), run(process.execPath, [web, ...args])]);
  const name = args.filter((a) => a !== '--all' && a !== '--trace').join(' ');
  let verdict;
  if (n.status !== 0 || w.status !== 0 || n.stderr !== w.stderr) {
    verdict = { fatal: `exit ${n.status} / ${w.status}, stderr "${n.stderr.trim()}" / "${w.stderr.trim()}"` };
  } else {
    verdict = compareTraces(n.stdout, w.stdout);
  }
  if (verdict.fatal) {
    ++failed;
    console.log(`FAIL ${name}: ${verdict.fatal}`);
    return;
  }
  ++passed;
  if (verdict.differing > 0) {
    ++casesWithDifferences;
    differingLines += verdict.differing;
    console.log(`${name}: ${verdict.differing} of ${verdict.lines} lines differ, by at most ${verdict.maxAbs} (${verdict.maxUlps} float ulps)`);
  }
}

const queue = [...cases];
const workers = Array.from({ length: Math.max(1, Math.min(2, cpus().length)) }, async () => {
  while (queue.length > 0) await check(queue.shift());
});
await Promise.all(workers);

// Beyond the traces, the same bytes on stderr for an argument that is not
// UTF-8 (Node hands the WebAssembly build U+FFFD for each broken sequence)
// and for a trace's reader that goes away (stdout closed after its first bytes).
const answer = (command, args, closeEarly) => new Promise((resolve) => {
  const child = spawn('sh', ['-c', `exec "$@" ${args}`, 'sh', ...command], { stdio: ['ignore', 'pipe', 'pipe'] });
  const err = [];
  child.stderr.on('data', (b) => err.push(b));
  child.stdout.on('data', () => { if (closeEarly) child.stdout.destroy(); });
  child.on('close', (status) => resolve({ status, stderr: Buffer.concat(err).toString('latin1') }));
});
for (const [name, args, status, closeEarly] of [
  ['bad bytes', '--scene "$(printf \'a\\377\\376\\303(\')" --trace', 2, false],
  ['reader gone', '--scene 8 --frames 24 --all --trace', 1, true]]) {
  const [n, w] = await Promise.all([answer([native], args, closeEarly), answer([process.execPath, web], args, closeEarly)]);
  if (n.status === status && w.status === status && n.stderr === w.stderr && n.stderr.split('\n').length === 2) {
    ++passed;
    continue;
  }
  ++failed;
  console.log(`FAIL ${name}: exit ${n.status} / ${w.status}, stderr "${n.stderr.trim()}" / "${w.stderr.trim()}"`);
}

const seconds = ((Date.now() - started) / 1000).toFixed(1);
console.log(`trace parity: ${cases.length} cases in ${seconds} s; ${casesWithDifferences} with last-bit differences (${differingLines} lines); every other line identical`);
console.log(`trace parity: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
