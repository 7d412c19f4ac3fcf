// Firefox for the browser tests (engines.py), through puppeteer-core over WebDriver BiDi.
//
//     node firefox_driver.mjs FIREFOX WIDTH HEIGHT
//
// Reads one command a line as JSON ({"op": ..., ...}) and answers each with one line,
// {"value": ...} or {"error": "..."}. Firefox's profile goes in TMPDIR, which the caller owns.
import puppeteer from 'puppeteer-core';
import readline from 'node:readline';

const [firefox, width, height] = process.argv.slice(2);
const SCRIPT_SECONDS = 30;
const START_SECONDS = 90;  // for Firefox to start, and for a page to load, on a busy machine

const browser = await puppeteer.launch({
  browser: 'firefox',
  executablePath: firefox,
  headless: false,
  // On an X screen (Xvfb): headless Firefox has no WebGL without a GPU. Its blocklist would
  // turn WebGL off on llvmpipe, which stands in for the GPU here.
  extraPrefsFirefox: {'webgl.force-enabled': true},
  defaultViewport: {width: Number(width), height: Number(height)},
  timeout: START_SECONDS * 1000,
});
const page = (await browser.pages())[0] || (await browser.newPage());
page.setDefaultNavigationTimeout(START_SECONDS * 1000);
const errors = [];
page.on('console', (message) => {
  if (message.type() === 'error') {
    errors.push(message.text());
  }
});
page.on('pageerror', (error) => errors.push(String(error)));

// `code` is a function body that reads its arguments as `arguments[i]`, as Selenium's are; an
// asynchronous one is handed a last argument to call with its result.
function run(code, args, waits) {
  return page.evaluate((code, args, waits) => {
    const body = new Function(code);
    return waits ? new Promise((done) => body.apply(null, [...args, done]))
                 : body.apply(null, args);
  }, code, args, waits);
}

function withinSeconds(promise, seconds) {
  let timer;
  const late = new Promise((_, fail) => {
    timer = setTimeout(() => fail(new Error(`no answer within ${seconds} s`)), seconds * 1000);
  });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

const commands = {
  open: ({url}) => page.goto(url, {waitUntil: 'load'}).then(() => null),
  beforePages: ({code}) => page.evaluateOnNewDocument(code).then(() => null),
  script: ({code, args}) => run(code, args, false),
  scriptAsync: ({code, args}) => withinSeconds(run(code, args, true), SCRIPT_SECONDS),
  key: ({key, down}) => (down ? page.keyboard.down(key) : page.keyboard.up(key)),
  errors: () => errors.splice(0),
};

const lines = readline.createInterface({input: process.stdin});
for await (const line of lines) {
  const command = JSON.parse(line);
  let answer;
  try {
    answer = {value: (await commands[command.op](command)) ?? null};
  } catch (error) {
    answer = {error: String(error.message || error)};
  }
  process.stdout.write(JSON.stringify(answer) + '\n');
}
await browser.close();
