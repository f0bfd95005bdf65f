// What a visitor downloads to play: every file the browser build's page
// fetches, raw and compressed as a web server would send it, with totals.
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
const gameFiles = ['quorralith.html', 'quorralith.js', 'quorralith.wasm', 'quorralith.data', 'build.json'];

function pageModules(webDir) {
  return readdirSync(webDir).filter((name) => name.endsWith('.mjs')).sort();
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
  `${label.padEnd(28)}${String(raw).padStart(10)}${String(gzip).padStart(10)}${String(brotli).padStart(11)}`;
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
  const gameRows = gameFiles.map((name) => ({ name, ...sizesOf(join(webDir, name)) }));
  const moduleRows = modules.map((name) => ({ name, ...sizesOf(join(webDir, name)) }));
  console.log(columns('download sizes, bytes', 'raw', 'gzip -9', 'brotli 11'));
  for (const row of [...gameRows, ...moduleRows]) line(row.name, row);
  line(`the page's ${modules.length} modules`, sum(moduleRows));
  line('total', sum([...gameRows, ...moduleRows]));
}

main();
