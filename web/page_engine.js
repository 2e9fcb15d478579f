// The engine in the page: its WebAssembly compiled once (the batch worker
// gets the same module), an instance of it for the form, and the calls into
// that instance. A call that fails (the module aborts, an exception leaves
// it) takes nothing else with it: the page keeps what it showed, marks it as
// out of date and starts a fresh instance. Where the browser cannot run the
// engine at all, the page says what to do instead.
//
// web/assemble.js puts these scripts, one after the other, in one function:
// they share its scope. The engine's glue (createEngine) and its module
// (createEngine.wasm, in base64) come before them.

const encoder = new TextEncoder();
const decoder = new TextDecoder();
const $ = (id) => document.getElementById(id);

const ELSEWHERE = '请换用其他浏览器（如新版的 Chrome、Edge、Firefox、Safari）打开此文件，' +
  '或使用桌面版程序“工伤待遇全面计算”。';
const NO_WASM = '这个浏览器不能运行本页面的计算引擎：它不支持 WebAssembly，或者把它关掉了' +
  '（iOS 的锁定模式、一些聊天软件和单位电脑的浏览器会这样做）。' + ELSEWHERE;
const REFUSED = '这个浏览器拒绝运行本页面的计算引擎（不允许编译 WebAssembly，' +
  '可能是浏览器版本太旧，或被安全设置禁止）。' + ELSEWHERE;
const BROKEN = '计算引擎未能启动（可能是设备内存不足）。请关闭其他网页后重新打开此文件；' +
  '若仍不行，' + ELSEWHERE;

let wasmModule = null; // WebAssembly.Module, compiled once
let engine = null; // the form's instance; null while none runs

// A failure to start, with the words for the person.
class CannotRun extends Error {}

function decodeBase64(text) {
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

// A new instance of the compiled module; `options` go to the glue
// (the worker's onOutput and onProgress).
function instantiate(options) {
  return new Promise((resolve, reject) => {
    createEngine(Object.assign({}, options, {
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(wasmModule, imports).then((instance) => receive(instance)).catch(reject);
        return {};
      },
      onAbort: reject,
    })).then(resolve, reject);
  });
}

// Compiles the module and starts the form's instance; fails with
// CannotRun, whose message says what to do.
async function startEngine() {
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.compile !== 'function' ||
      typeof createEngine !== 'function') {
    throw new CannotRun(NO_WASM);
  }
  try {
    wasmModule = await WebAssembly.compile(decodeBase64(createEngine.wasm));
  } catch (error) {
    console.error(error);
    throw new CannotRun(REFUSED);
  }
  try {
    engine = await instantiate({});
  } catch (error) {
    console.error(error);
    throw new CannotRun(BROKEN);
  }
}

// Calls an engine export with texts or bytes, each passed as pointer and
// length; returns its answer as text, or as bytes. Throws when the engine
// fails: callers go through guarded().
function call(name, args, asBytes) {
  const held = args.map((arg) => {
    const bytes = typeof arg === 'string' ? encoder.encode(arg) : arg;
    const at = engine._malloc(bytes.length + 1);
    engine.HEAPU8.set(bytes, at);
    return [at, bytes.length];
  });
  try {
    const at = engine['_gs_' + name](...held.flat());
    const view = engine.HEAPU8.subarray(at, at + engine._gs_result_size());
    return asBytes ? view.slice() : decoder.decode(view);
  } finally {
    held.forEach(([p]) => engine._free(p));
  }
}

let restarting = false; // a fresh instance is being started
let recomputeAfter = false; // the form changed while none ran

// Runs `work`, which calls the engine, and returns what it returns. When the
// engine fails, returns undefined, keeps the page as it is with the results
// marked out of date (page.js), says so and starts a fresh instance; the
// form is computed again with it once something in the form changes, so
// that input the engine fails on does not make it fail over and over.
function guarded(what, work) {
  if (!engine) {
    if (what === RECOMPUTING) recomputeAfter = true;
    else say('计算引擎正在重新启动，请稍后再试。');
    restart();
    return undefined;
  }
  try {
    return work();
  } catch (error) {
    console.error(error);
    engine = null;
    markStale(true);
    say('计算出错，' + what + '没有完成。下面仍是上一次的结果，已标为“已过时”；' +
      '请检查刚才填写或打开的内容。若再次出错，请使用桌面版程序“工伤待遇全面计算”。');
    restart();
    return undefined;
  }
}
const RECOMPUTING = '结果的计算';

async function restart() {
  if (restarting) return;
  restarting = true;
  try {
    engine = await instantiate({});
    if (userRules) call('load_rules', [userRules.name, userRules.bytes]);
  } catch (error) {
    console.error(error);
    engine = null;
    say(BROKEN);
    return;
  } finally {
    restarting = false;
  }
  if (recomputeAfter) {
    recomputeAfter = false;
    recompute(false);
  }
}
