// What a visitor downloads to play: every file the browser build's page
// fetches, and its offline copy's worker, manifest and icons where the build
// has them, raw and compressed as a web server would send it, with totals.
// gzip at its best level, by gzip itself; brotli at its best quality, by the
// brotli library inside node (the brotli command is not on these machines),
// for the servers that offer it. Fails, naming the file, when one is missing.
//   node download-sizes.mjs WEB_BUILD_DIR
import { execFileSync } from 'node:child_process';
import { existsSync, readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { brotliCompressSync, constants } from 'node:zlib';

// The page, the game's three files and the description the page checks
// them against; then the page's own modules.
const gameFiles = ['index.html', 'quorralith.js.gz', 'quorralith.wasm.gz', 'quorralith.data.gz', 'build.json'];

function pageModules(webDir) {
  return readdirSync(webDir).filter((name) => name.endsWith('.mjs')).sort();
}

// The worker that keeps the offline copy, the manifest and the icons: a
// browser fetches them beside the page, not for its first frame.
function offlineCopyFiles(webDir) {
  const icons = existsSync(join(webDir, 'icons'))
    ? readdirSync(join(webDir, 'icons')).sort().map((name) => `icons/${name}`) : [];
  return ['sw.js', 'manifest.webmanifest', ...icons].filter((name) => existsSync(join(webDir, name)));
}

function sizesOf(path) {
  const bytes = readFileSync(path);
  return {
    raw: bytes.length,
    gzip: execFileSync('gzip', ['-9', '-c', path], { maxBuffer: 4 * bytes.length + 65536 }).length,
    brotli: brotliCompressSync(bytes, {
      params: { [constants.BROTLI_PARAM_QUALITY]: constants.BROTLI_MAX_QUALITY },
    }).length,
  };
}

function sum(rows) {
  return rows.reduce((total, row) => ({
    raw: total.raw + row.raw, gzip: total.gzip + row.gzip, brotli: total.brotli + row.brotli,
  }), { raw: 0, gzip: 0, brotli: 0 });
}

const columns = (label, raw, gzip, brotli) =>
  `${label.padEnd(36)}${String(raw).padStart(10)}${String(gzip).padStart(10)}${String(brotli).padStart(11)}`;
const line = (label, { raw, gzip, brotli }) => console.log(columns(label, raw, gzip, brotli));

function failUnless(found, what) {
  if (found) return;
  console.log(`FAIL: the browser build lacks ${what}`);
  process.exit(1);
}

function main() {
  const webDir = process.argv[2];
  const missing = gameFiles.filter((name) => !existsSync(join(webDir, name)));
  failUnless(missing.length === 0, `${missing.join(', ')} in ${webDir}`);
  const modules = pageModules(webDir);
  failUnless(modules.includes('page.mjs'), `the page's modules (page.mjs) in ${webDir}`);
  const rowsOf = (names) => names.map((name) => ({ name, ...sizesOf(join(webDir, name)) }));
  const gameRows = rowsOf(gameFiles);
  const moduleRows = rowsOf(modules);
  const offlineRows = rowsOf(offlineCopyFiles(webDir));
  console.log(columns('download sizes, bytes', 'raw', 'gzip -9', 'brotli 11'));
  for (const row of [...gameRows, ...moduleRows, ...offlineRows]) line(row.name, row);
  line(`the page's ${modules.length} modules`, sum(moduleRows));
  if (offlineRows.length) line(`the offline copy's ${offlineRows.length} files`, sum(offlineRows));
  line('total', sum([...gameRows, ...moduleRows, ...offlineRows]));
}

main();
