// The claim page: builds the form from the engine's field table, hands the
// engine every field's text on each change and lays out its answer. Which
// items apply, who pays, what a text means and what is refused are the
// engine's (page/page_api.h); nothing here reads a number. Every text from
// outside (a typed value, a case or rules file, a CSV cell, the engine's
// messages that quote them) reaches the page through textContent or a
// control's value, never as HTML; the one HTML the page shows is the
// engine's report (report/report_html.h), which escapes every text in it.
'use strict';

(function () {
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  let engine = null;

  const $ = (id) => document.getElementById(id);

  // Calls an engine export with texts or bytes, each passed as pointer and
  // length; returns its answer as text, or as bytes.
  function call(name, args, asBytes) {
    const held = args.map((arg) => {
      const bytes = typeof arg === 'string' ? encoder.encode(arg) : arg;
      const at = engine._malloc(bytes.length + 1);
      engine.HEAPU8.set(bytes, at);
      return [at, bytes.length];
    });
    const at = engine['_gs_' + name](...held.flat());
    held.forEach(([p]) => engine._free(p));
    const view = engine.HEAPU8.subarray(at, at + engine._gs_result_size());
    return asBytes ? view.slice() : decoder.decode(view);
  }

  // An element with its text; children appended after.
  function make(tag, text, ...children) {
    const element = document.createElement(tag);
    if (text !== undefined && text !== null) element.textContent = text;
    children.forEach((c) => element.append(c));
    return element;
  }

  // ---- The form -------------------------------------------------------

  const controls = new Map(); // field name -> {field, control, row, problem}

  function fillList(select, items) {
    const chosen = select.value;
    select.replaceChildren(...items.map(([value, label]) => {
      const option = make('option', label);
      option.value = value;
      return option;
    }));
    select.value = items.some(([value]) => value === chosen) ? chosen : '';
  }

  function buildField(field, index) {
    const id = 'f' + index;
    const row = make('div');
    row.className = 'field field-' + field.kind;
    const problem = make('p');
    problem.className = 'problem';
    problem.id = id + '-problem';
    problem.hidden = true;
    let control;
    if (field.kind === 'yesno') {
      control = make('input');
      control.type = 'checkbox';
      const label = make('label', null, control, field.name);
      label.className = 'check';
      row.append(label);
    } else {
      if (field.items) {
        control = make('select');
        fillList(control, field.items);
      } else {
        control = make('input');
        control.type = 'text';
        control.inputMode = field.kind === 'date' ? 'text' : field.kind === 'count' ? 'numeric' : 'decimal';
        control.placeholder = field.hint || (field.kind === 'date' ? '如 2025-03-01' : '');
      }
      const label = make('label', field.name);
      label.htmlFor = id;
      row.append(label, field.kind === 'date' ? withCalendar(control, field.name) : control);
    }
    control.id = id;
    control.name = field.name;
    control.setAttribute('aria-describedby', problem.id);
    if (field.kind === 'region') {
      const status = make('p');
      status.className = 'status';
      status.id = id + '-status';
      row.append(status);
      control.setAttribute('aria-describedby', problem.id + ' ' + status.id);
    }
    row.append(problem);
    controls.set(field.name, { field, control, row, problem });
    return row;
  }

  // A date is typed, or picked from the browser's own calendar, which
  // writes it as 2025-03-01.
  function withCalendar(control, name) {
    const picker = make('input');
    picker.type = 'date';
    picker.className = 'picker';
    picker.tabIndex = -1;
    picker.setAttribute('aria-hidden', 'true');
    const button = make('button', '日历');
    button.type = 'button';
    button.setAttribute('aria-label', '从日历选择' + name);
    button.addEventListener('click', () => {
      if (picker.showPicker) picker.showPicker();
      else picker.click();
    });
    picker.addEventListener('change', () => {
      control.value = picker.value;
      control.dispatchEvent(new Event('input', { bubbles: true }));
    });
    const box = make('div', null, control, button, picker);
    box.className = 'date';
    return box;
  }

  function buildForm(form) {
    let index = 0;
    for (const group of form.groups) {
      const box = make('fieldset', null, make('legend', group.title));
      for (const field of group.fields) box.append(buildField(field, index++));
      $('表单').append(box);
    }
  }

  function textOf({ field, control }) {
    if (field.kind === 'yesno') return control.checked ? '是' : '否';
    return control.value;
  }

  function setText({ field, control }, text) {
    if (field.kind === 'yesno') control.checked = text === '是';
    else control.value = text;
  }

  function texts() {
    const all = {};
    for (const [name, entry] of controls) all[name] = textOf(entry);
    return all;
  }

  // ---- The answer -----------------------------------------------------

  function cell(label, text, className) {
    const td = make('td', text);
    td.dataset.label = label;
    if (className) td.className = className;
    return td;
  }

  // The monthly table also says how long each item runs.
  function fillTable(id, items, total, title, monthly) {
    const rows = items.map((item) => make('tr', null,
      cell('项目', item.name, 'name'),
      cell('金额（元）', item.amount === null ? '未知' : item.amount, 'amount'),
      cell('支付方', item.payer),
      cell('计算过程', item.working, 'working'),
      cell('依据', item.article),
      ...(monthly ? [cell('发放期限', item.duration)] : [])));
    const split = cell('', '其中基金支付 ' + total.fund + ' 元，用人单位支付 ' +
      total.employer + ' 元');
    split.colSpan = monthly ? 4 : 3;
    const sum = make('tr', null,
      cell('项目', title, 'name'), cell('金额（元）', total.total, 'amount'), split);
    sum.className = 'total';
    $(id).tBodies[0].replaceChildren(...rows, sum);
  }

  function showSources(s) {
    const parts = [];
    if (s.typed_figures) {
      parts.push(make('p', '未选地区：一次性工伤医疗补助金、一次性伤残就业补助金' +
        '按使用者自行填写的标准计算，请与当地规定核对。'));
    } else if (s.region) {
      const r = s.region;
      parts.push(make('p', r.name + '：' + r.statute + ' ' + r.articles + '（' + r.effective + '）'));
      parts.push(make('p', '核对情况：' + r.words));
      if (r.notes) parts.push(make('p', '说明：' + r.notes));
      if (r.sources.length) {
        parts.push(make('p', '资料来源：'), make('ol', null, ...r.sources.map((t) => make('li', t))));
      }
    } else {
      parts.push(make('p', '未使用地方规定的数字。'));
    }
    if (s.income) {
      const i = s.income;
      parts.push(make('p', '一次性工亡补助金所用全国城镇居民人均可支配收入：' +
        i.year + ' 年 ' + i.yuan +
        ' 元，来源：' + i.source + (i.user_file ? '（用户规则文件）' : '') +
        (i.confirmed ? '' : '（未经确认，请核实）') + '。'));
    }
    $('来源').replaceChildren(...parts);
  }

  function showStatement(s) {
    $('提示').textContent = '';
    $('退休日期').hidden = !s.retirement;
    $('退休日期').textContent = '法定退休日期：' + s.retirement;
    fillTable('一次性待遇', s.items.filter((i) => !i.monthly), s.once, '一次性合计', false);
    fillTable('按月待遇', s.items.filter((i) => i.monthly), s.monthly, '每月合计', true);
    $('合计').textContent = '一次性支付合计 ' + s.once.total + ' 元；按月支付合计每月 ' +
      s.monthly.total + ' 元。';
    $('摘要').textContent = '一次性 ' + s.once.total + ' 元 · 每月 ' + s.monthly.total + ' 元';
    $('说明').replaceChildren(...s.notes.map((n) => make('p', n)));
    showSources(s);
  }

  function showNothing(message) {
    $('提示').textContent = message;
    $('摘要').textContent = message;
    $('退休日期').hidden = true;
    for (const id of ['一次性待遇', '按月待遇']) $(id).tBodies[0].replaceChildren();
    for (const id of ['合计', '说明', '来源']) $(id).replaceChildren();
  }

  // What the page prints: the 工伤待遇计算书 the window prints, as the
  // engine writes it, or why there is none. Made as the page is printed,
  // not on each keystroke, which it would slow several times over. Parsed
  // into a document of its own, where nothing in it runs or loads, and
  // moved in.
  function showReport() {
    const today = new Date().toLocaleDateString('zh-CN',
      { year: 'numeric', month: 'long', day: 'numeric' });
    const html = call('report', [JSON.stringify(texts()), today]);
    if (!html) {
      $('计算书').replaceChildren(make('p', $('提示').textContent));
      return;
    }
    const parsed = new DOMParser().parseFromString(html, 'text/html');
    $('计算书').replaceChildren(...parsed.body.childNodes);
  }

  function recompute() {
    const answer = JSON.parse(call('statement', [JSON.stringify(texts())]));
    const marks = new Map(answer.problems.map((p) => [p.field, p.reason]));
    const hidden = new Set(answer.hidden);
    for (const [name, { control, row, problem }] of controls) {
      const reason = marks.get(name) || '';
      if (problem.textContent !== reason) problem.textContent = reason;
      problem.hidden = !reason;
      control.toggleAttribute('aria-invalid', !!reason);
      row.hidden = hidden.has(name);
    }
    // A group whose every field is out of effect goes too (the typed
    // subsidy figures once a region is chosen).
    for (const box of $('表单').elements) {
      if (box.tagName === 'FIELDSET') box.hidden = [...box.querySelectorAll('.field')].every((r) => r.hidden);
    }
    $(controls.get('地区').control.id + '-status').textContent = answer.region_status;
    if (answer.statement) showStatement(answer.statement);
    else showNothing(answer.message);
    return answer;
  }

  // ---- Files ----------------------------------------------------------

  function say(text) {
    $('消息').textContent = text;
    $('消息').hidden = !text;
  }

  function download(parts, name, type) {
    const url = URL.createObjectURL(new Blob(parts, { type }));
    const link = make('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  // Runs `take` on the picked file's bytes; the picker is emptied so that
  // the same file can be picked again after it was mended.
  function onPick(buttonId, inputId, take) {
    $(buttonId).addEventListener('click', () => $(inputId).click());
    $(inputId).addEventListener('change', async (event) => {
      const file = event.target.files[0];
      if (!file) return;
      const bytes = new Uint8Array(await file.arrayBuffer());
      event.target.value = '';
      take(file.name, bytes);
    });
  }

  function openCase(name, bytes) {
    const opened = JSON.parse(call('open_case', [bytes]));
    if (opened.problem) {
      say('无法打开案例“' + name + '”：' + opened.problem + '。页面中的内容没有改变。');
      return;
    }
    say('');
    for (const [field, entry] of controls) setText(entry, opened.texts[field] || '');
    recompute();
  }

  function loadRules(name, bytes) {
    const problem = call('load_rules', [name, bytes]);
    if (problem) {
      say('规则文件未载入：' + problem + '。仍使用原来的规则。');
      return;
    }
    say('');
    const form = JSON.parse(call('form', []));
    const region = form.groups[0].fields.find((f) => f.kind === 'region');
    fillList(controls.get('地区').control, region.items);
    $('用户规则').textContent = '；已载入用户规则文件“' + name + '”，其中的数字未经本程序核对';
    recompute();
  }

  // CSV saved by spreadsheets on Chinese Windows is GBK; what is not valid
  // UTF-8 is read as GB18030, of which GBK is a part, as the batch tool does.
  function csvText(bytes) {
    try {
      return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
    } catch (e) {
      return new TextDecoder('gb18030').decode(bytes);
    }
  }

  function runBatch(name, bytes) {
    const started = performance.now();
    const out = call('batch', [csvText(bytes)], true);
    const status = engine._gs_batch_status();
    const err = call('batch_err', []);
    const seconds = ((performance.now() - started) / 1000).toFixed(1);
    if (status !== 0) {
      $('批量结果').textContent = '“' + name + '”未能计算：' + err;
      return;
    }
    const resultName = name.replace(/\.csv$/i, '') + '-结果.csv';
    download([new Uint8Array([0xef, 0xbb, 0xbf]), out], resultName, 'text/csv');
    $('批量结果').textContent = '已计算“' + name + '”（' + seconds + ' 秒），结果已下载为“' +
      resultName + '”。' + err;
  }

  // ---- Start ----------------------------------------------------------

  function start(module) {
    engine = module;
    buildForm(JSON.parse(call('form', [])));
    // A list picked by some means (a script, an assistive tool) reports a
    // change without an input event.
    $('表单').addEventListener('input', recompute);
    $('表单').addEventListener('change', recompute);
    // Enter in a field never sends the form anywhere.
    $('表单').addEventListener('submit', (event) => event.preventDefault());
    $('保存案例').addEventListener('click', () =>
      download([call('save_case', [JSON.stringify(texts())], true)], '工伤案例.json',
        'application/json'));
    // The browser's own print command as well as the button.
    window.addEventListener('beforeprint', showReport);
    $('打印').addEventListener('click', () => window.print());
    onPick('打开案例', '案例文件', openCase);
    onPick('规则文件', '规则文件选择', loadRules);
    onPick('批量计算', '批量文件', runBatch);
    recompute();
    performance.mark('first-result');
    document.body.dataset.ready = 'true';
  }

  // emscripten's glue tries fetch() on the module embedded in it before it
  // decodes it itself, which the CSP refuses (and reports). The page fetches
  // nothing, so it goes without.
  window.fetch = undefined;
  createEngine().then(start, (error) => {
    say('计算引擎未能启动：' + error + '。请换用较新的浏览器打开此文件。');
  });
})();
