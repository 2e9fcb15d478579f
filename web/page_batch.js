// The batch page: a CSV file computed as gongshang-batch --claim computes
// it, in a Web Worker (page_worker.js) that gets the compiled module, with
// its progress shown, and the result downloaded. A template with the
// engine's column names is offered.

// The largest result handed to the browser to download: the worker holds it
// in memory, and the browser again as it takes it over, which on a phone
// must fit beside everything else.
const OUTPUT_CAP = 256 << 20;
// The first bytes run alone to tell how large the whole result will be.
const SAMPLE_BYTES = 1 << 20;

const mebibytes = (bytes) => Math.ceil(bytes / (1 << 20)) + ' MiB';

// The worker's source: the engine's glue (createEngine closes over
// _scriptDir, which a worker has none of) and page_worker.js.
function workerUrl() {
  const source = 'var _scriptDir;\nvar createEngine = ' + createEngine.toString() + ';\n(' +
    batchWorker.toString() + ')();\n';
  return URL.createObjectURL(new Blob([source], { type: 'text/javascript' }));
}

function batchSays(text) {
  $('批量结果').textContent = text;
}

function runBatch(file) {
  const name = file.name;
  const refuse = (why) => batchSays('“' + name + '”未能计算：' + why);
  if (file.size > OUTPUT_CAP) {
    refuse('文件超过 ' + mebibytes(OUTPUT_CAP) + '，其结果会更大，超出本页面能交给浏览器下载的 ' +
      mebibytes(OUTPUT_CAP) + '。请把表格分成几个较小的文件分别计算。');
    return;
  }
  const url = workerUrl();
  const worker = new Worker(url);
  const started = performance.now();
  const progress = $('批量进度');
  const done = () => {
    worker.terminate();
    URL.revokeObjectURL(url);
    progress.hidden = true;
    $('批量计算').disabled = false;
  };
  $('批量计算').disabled = true;
  progress.value = 0;
  progress.hidden = false;
  batchSays('正在计算“' + name + '”……');
  worker.onerror = (event) => {
    event.preventDefault();
    done();
    console.error(event.message);
    refuse('计算出错，没有结果。请把表格分成几个较小的文件再试，或使用桌面版程序。');
  };
  worker.onmessage = ({ data }) => {
    if ('progress' in data) {
      progress.value = data.progress;
      return;
    }
    done();
    if (data.failed) {
      console.error(data.failed);
      refuse('计算出错，没有结果。请把表格分成几个较小的文件再试，或使用桌面版程序。');
    } else if (data.refused) {
      refuse(data.refused);
    } else if (data.estimate) {
      const files = Math.ceil(data.estimate / OUTPUT_CAP);
      refuse('结果约 ' + mebibytes(data.estimate) + '，超出本页面能交给浏览器下载的 ' +
        mebibytes(OUTPUT_CAP) + '。请把表格分成至少 ' + files + ' 个文件（每个约 ' +
        Math.floor(data.rows / files).toLocaleString('zh-CN') + ' 行以内）分别计算。');
    } else if (data.status !== 0) {
      refuse(data.err.trim());
    } else {
      const resultName = name.replace(/\.csv$/i, '') + '-结果.csv';
      download([data.result], resultName, 'text/csv');
      const seconds = ((performance.now() - started) / 1000).toFixed(1);
      batchSays('已计算“' + name + '”（' + seconds + ' 秒），结果已下载为“' + resultName + '”。' +
        data.err.trim());
    }
  };
  worker.postMessage({ module: wasmModule, file, rules: userRules, cap: OUTPUT_CAP,
    sample: SAMPLE_BYTES });
}

// A CSV file with the header row alone, UTF-8 with a byte-order mark so
// that Excel and WPS show its Chinese names.
function downloadTemplate() {
  const header = guarded('模板的生成', () => call('batch_columns', [], true));
  if (header) download([new Uint8Array([0xef, 0xbb, 0xbf]), header], '批量计算模板.csv', 'text/csv');
}

function startBatch() {
  $('批量上限').textContent = mebibytes(OUTPUT_CAP);
  $('批量计算').addEventListener('click', () => $('批量文件').click());
  $('批量文件').addEventListener('change', (event) => {
    const file = event.target.files[0];
    event.target.value = '';
    if (file) runBatch(file);
  });
  $('批量模板').addEventListener('click', downloadTemplate);
}
