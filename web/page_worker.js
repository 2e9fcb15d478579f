// The batch run, in a Web Worker, so that the page stays responsive and
// shows how far it is. Its source goes to the worker as text after the
// engine's glue (page_batch.js): it shares nothing with the page but the
// compiled module and the messages below.
//   in:  {module, file, rules: {name, bytes} | null, cap, sample}
//   out: {progress: 0..1}*, then one of
//        {status, err, result: Blob | null}   the run, as the batch tool ends it
//        {refused}                            a workbook, not CSV
//        {estimate, rows}                     the result would be over cap bytes
//        {failed}                             the engine failed
function batchWorker() {
  'use strict';
  const encoder = new TextEncoder();
  const STEP = 1 << 24;

  // The bytes as UTF-8: as they are when they are UTF-8, else read as
  // GB18030 (of which GBK is a part), as spreadsheets on Chinese Windows
  // save CSV. A byte-order mark goes: the result gets its own.
  function utf8(bytes) {
    if (bytes[0] === 0xef && bytes[1] === 0xbb && bytes[2] === 0xbf) return bytes.subarray(3);
    try {
      const check = new TextDecoder('utf-8', { fatal: true });
      for (let i = 0; i < bytes.length; i += STEP) check.decode(bytes.subarray(i, i + STEP), { stream: true });
      check.decode();
      return bytes;
    } catch (error) {
      const gbk = new TextDecoder('gb18030');
      const parts = [];
      for (let i = 0; i < bytes.length; i += STEP) {
        parts.push(encoder.encode(gbk.decode(bytes.subarray(i, i + STEP), { stream: true })));
      }
      parts.push(encoder.encode(gbk.decode()));
      const all = new Uint8Array(parts.reduce((sum, p) => sum + p.length, 0));
      parts.reduce((at, p) => (all.set(p, at), at + p.length), 0);
      return all;
    }
  }

  async function run({ module, file, rules, cap, sample }) {
    const chunks = [];
    let sampled = -1; // output bytes of the sample run; -1 outside it
    const engine = await new Promise((resolve, reject) => createEngine({
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(module, imports).then((instance) => receive(instance)).catch(reject);
        return {};
      },
      onAbort: reject,
      onOutput(chunk) {
        if (sampled >= 0) sampled += chunk.length;
        else chunks.push(chunk);
      },
      onProgress(done) {
        if (sampled < 0) postMessage({ progress: done });
      },
    }).then(resolve, reject));
    const give = (bytes) => {
      const at = engine._malloc(bytes.length + 1);
      engine.HEAPU8.set(bytes, at);
      return [at, bytes.length];
    };
    const text = (at) => new TextDecoder().decode(
      engine.HEAPU8.subarray(at, at + engine._gs_result_size()));
    if (rules) engine._gs_load_rules(...give(encoder.encode(rules.name)), ...give(rules.bytes));

    const bytes = new Uint8Array(await file.arrayBuffer());
    const refused = text(engine._gs_workbook(...give(bytes.subarray(0, 8))));
    if (refused) return { refused };
    // The first rows of a large file tell how much the result grows over
    // it: a result over the cap is refused before the run, not at its end.
    // (A smaller file's result passes the cap only with rows of a few
    // bytes each; the run then stops at the cap.)
    const cut = bytes.length > cap / 16 ? bytes.lastIndexOf(10, sample) + 1 : 0;
    if (cut > 0) {
      const [first, firstSize] = give(utf8(bytes.subarray(0, cut)));
      sampled = 0;
      const status = engine._gs_batch(first, firstSize, cap);
      const estimate = sampled / cut * bytes.length;
      sampled = -1;
      engine._free(first);
      if (status === 0 && estimate > cap) {
        let rows = 0;
        for (let i = 0; i < bytes.length; ++i) rows += bytes[i] === 10;
        return { estimate, rows };
      }
    }
    const [at, size] = give(utf8(bytes));
    const status = engine._gs_batch(at, size, cap);
    const err = text(engine._gs_batch_err());
    const result = status === 0 ?
      new Blob([new Uint8Array([0xef, 0xbb, 0xbf]), ...chunks], { type: 'text/csv' }) : null;
    return { status, err, result };
  }

  onmessage = async ({ data }) => {
    try {
      postMessage(await run(data));
    } catch (error) {
      postMessage({ failed: String(error) });
    }
  };
}
