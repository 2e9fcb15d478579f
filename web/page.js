// The claim page: builds the form from the engine's field table, hands the
// engine every field's text on each change and lays out its answer. Which
// items apply, who pays, what a text means and what is refused are the
// engine's (page/page_api.h); nothing here reads a number. Every text from
// outside (a typed value, a case or rules file, a CSV cell, the engine's
// messages that quote them) reaches the page through textContent or a
// control's value, never as HTML; the one HTML the page shows is the
// engine's report (report/report_html.h), which escapes every text in it.

// ---- The form ---------------------------------------------------------

const controls = new Map(); // field name -> {field, control, row, problem, help, notice}

function fillList(select, items) {
  const chosen = select.value;
  select.replaceChildren(...items.map(([value, label]) => {
    const option = make('option', label);
    option.value = value;
    return option;
  }));
  select.value = items.some(([value]) => value === chosen) ? chosen : '';
}

// The field's line of help, then what the item chosen means where the law
// says (the engine's words, with the form).
function helpOf({ field, control }) {
  const item = field.items && field.items.find(([value]) => value === control.value);
  return item && item[2] ? field.help + '\n' + item[2] : field.help;
}

function buildField(field, index) {
  const id = 'f' + index;
  const row = make('div');
  row.className = 'field field-' + field.kind;
  const problem = make('p');
  problem.className = 'problem';
  problem.id = id + '-problem';
  problem.hidden = true;
  const notice = make('p');
  notice.className = 'notice';
  notice.id = id + '-notice';
  notice.hidden = true;
  const help = make('p', field.help);
  help.className = 'help';
  help.id = id + '-help';
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
      control.inputMode = field.kind === 'money' ? 'decimal' : field.kind === 'count' ? 'numeric' : 'text';
      if (field.kind === 'date') control.placeholder = '如 2025-03-01';
    }
    const label = make('label', field.name);
    label.htmlFor = id;
    row.append(label, field.kind === 'date' ? withCalendar(control, field.name) : control);
  }
  control.id = id;
  control.name = field.name;
  const described = [help.id, problem.id, notice.id];
  if (field.kind === 'region') {
    // What the chosen region's figures are worth, right under it.
    const status = make('p');
    status.className = 'status';
    status.id = id + '-status';
    row.append(status);
    described.push(status.id);
  }
  row.append(help);
  if (field.lookup) {
    // Where a figure is published and which year counts: asked for, as it is long.
    const more = make('details', null, make('summary', '在哪里查、用哪一年'), make('p', field.lookup));
    more.className = 'lookup';
    row.append(more);
  }
  control.setAttribute('aria-describedby', described.join(' '));
  row.append(problem, notice);
  controls.set(field.name, { field, control, row, problem, help, notice });
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
    if (group.help) {
      const words = make('p', group.help);
      words.className = 'group-help';
      box.append(words);
    }
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

// ---- The answer -------------------------------------------------------

let shown = null; // the engine's last answer on screen

function cell(label, content, className) {
  const td = make('td', null, content);
  td.dataset.label = label;
  if (className) td.className = className;
  return td;
}

// An amount that never breaks across lines.
function amount(text) {
  const span = make('span', text);
  span.className = 'amount';
  return span;
}

// The monthly table also says how long each item runs.
// A dead worker's own item is marked as owed only if unpaid, in the
// engine's words.
function fillTable(id, items, total, title, monthly, unpaid = '') {
  const rows = items.map((item) => make('tr', null,
    cell('项目', item.if_unpaid ? item.name + '（' + unpaid + '）' : item.name, 'name'),
    cell('金额（元）', item.amount === null ? '未知' : item.amount, 'amount'),
    cell('支付方', item.payer, 'payer'),
    cell('计算过程', item.working, 'working'),
    cell('依据', item.article),
    ...(monthly ? [cell('发放期限', item.duration)] : [])));
  const split = make('td', null, '其中基金支付 ', amount(total.fund), ' 元，用人单位支付 ',
    amount(total.employer), ' 元');
  split.colSpan = monthly ? 4 : 3;
  const sum = make('tr', null,
    cell('项目', title, 'name'), cell('金额（元）', total.total, 'amount'), split);
  sum.className = 'total';
  $(id).tBodies[0].replaceChildren(...rows, sum);
}

let sourcesShown = ''; // what showSources last showed, as JSON

function showSources(s) {
  const key = JSON.stringify([s.typed_figures, s.region, s.income]);
  if (key === sourcesShown) return;
  sourcesShown = key;
  const parts = [];
  if (s.typed_figures) {
    parts.push(make('p', '未选地区：一次性工伤医疗补助金、一次性伤残就业补助金' +
      '按使用者自行填写的标准计算，请与当地规定核对。'));
  } else if (s.region) {
    const r = s.region;
    parts.push(make('p', r.name + '：' + r.statute + ' ' + r.articles + '（' + r.effective + '）'));
    parts.push(make('p', '核对情况：' + r.words));
    if (r.notes) parts.push(make('p', '说明：', ...withLinks(r.notes)));
    if (r.sources.length) {
      parts.push(make('p', '资料来源：'),
        make('ol', null, ...r.sources.map((t) => make('li', null, ...withLinks(t)))));
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

function totalsText(s) {
  const family = s.death ? '工亡待遇：' : '';
  const own = s.death ? '职工本人的项目（' + s.if_unpaid_words + '）合计 ' +
    s.if_unpaid.total + ' 元。' : '';
  return family + '一次性支付合计 ' + s.once.total + ' 元；按月支付合计每月 ' + s.monthly.total +
    ' 元。' + own;
}

function showStatement(s) {
  $('提示').textContent = '';
  $('退休日期').hidden = !s.retirement;
  $('退休日期').textContent = '法定退休日期：' + s.retirement;
  // After a death the family's benefits, then the worker's own items apart.
  const family = s.death ? '工亡待遇：' : '';
  $('一次性支付标题').textContent = family + '一次性支付的项目';
  $('按月支付标题').textContent = family + '按月支付的项目';
  $('本人项目标题').textContent = '职工本人的项目（' + s.if_unpaid_words + '）';
  $('本人项目标题').hidden = $('本人尚未支付的项目').hidden = !s.death;
  fillTable('一次性待遇', s.items.filter((i) => !i.monthly && !i.if_unpaid), s.once, '一次性合计',
    false);
  fillTable('按月待遇', s.items.filter((i) => i.monthly && !i.if_unpaid), s.monthly, '每月合计', true);
  fillTable('本人尚未支付的项目', s.items.filter((i) => i.if_unpaid), s.if_unpaid,
    '合计（' + s.if_unpaid_words + '）', false, s.if_unpaid_words);
  // Both tables' amount columns as wide as the widest amount in either.
  const widest = String(Math.max(...[s.once.total, s.monthly.total, s.if_unpaid.total,
    ...s.items.map((i) => i.amount || '')].map((a) => a.length)));
  if ($('结果').style.getPropertyValue('--amount-chars') !== widest) {
    $('结果').style.setProperty('--amount-chars', widest);
  }
  $('合计').textContent = totalsText(s);
  $('摘要').textContent = '一次性 ' + s.once.total + ' 元 · 每月 ' + s.monthly.total + ' 元';
  $('说明').replaceChildren(...s.notes.map((n) => make('p', n)));
  showSources(s);
}

function showNothing(message) {
  $('提示').textContent = message;
  $('摘要').textContent = message;
  $('退休日期').hidden = true;
  for (const id of ['一次性待遇', '按月待遇', '本人尚未支付的项目']) $(id).tBodies[0].replaceChildren();
  $('本人项目标题').hidden = $('本人尚未支付的项目').hidden = true;
  for (const id of ['合计', '说明', '来源']) $(id).replaceChildren();
  sourcesShown = '';
}

// The results kept from before a failure of the engine, marked as such on
// screen, to assistive tools and on paper.
function markStale(stale) {
  const report = stale ? 'stale' : shown && shown.statement ? 'ok' : 'none';
  if (document.body.dataset.report === report) return;
  document.body.dataset.report = report;
  $('结果').classList.toggle('stale', stale);
  $('过时').hidden = !stale;
}

// Says the totals, or why there are none, once the form has been still for
// a moment: a screen reader hears the settled result, not every keystroke's.
let announcing = 0;
function announce(text) {
  clearTimeout(announcing);
  announcing = setTimeout(() => {
    if ($('播报').textContent !== text) $('播报').textContent = text;
  }, 700);
}

function recompute(changed = true) {
  const answer = guarded(RECOMPUTING, () =>
    JSON.parse(call('statement', [JSON.stringify(texts())])));
  if (!answer) {
    markStale(!!shown);
    return;
  }
  shown = answer;
  const marks = new Map(answer.problems.map((p) => [p.field, p.reason]));
  // A needed field left empty is no fault: its words without the mark.
  const needed = new Map(answer.needed.map((p) => [p.field, p.reason]));
  const hidden = new Set(answer.hidden);
  for (const [name, entry] of controls) {
    const { control, row, problem, help } = entry;
    const fault = marks.get(name) || '';
    const reason = fault || needed.get(name) || '';
    if (entry.field.items) {
      const words = helpOf(entry);
      if (help.textContent !== words) help.textContent = words;
    }
    if (problem.textContent !== reason) problem.textContent = reason;
    problem.hidden = !reason;
    problem.classList.toggle('needed', !fault && !!reason);
    control.toggleAttribute('aria-invalid', !!fault);
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
  if ($('结果').classList.contains('stale')) say('');
  markStale(false);
  if (changed) announce(answer.statement ? totalsText(answer.statement) : answer.message);
}

// Why the report cannot be printed, as gongshang-claim --pdf refuses the
// same case: the first marked field with its reason; "" when it can.
function printRefusal() {
  if (!shown || $('结果').classList.contains('stale')) {
    return '无法打印计算书：结果已过时，请先让页面重新算出结果。';
  }
  if (shown.statement) return '';
  return '无法打印计算书：' + shown.first_problem + '。请先改正标红的栏目。';
}

// What the page prints: the 工伤待遇计算书 the window prints, as the engine
// writes it, or why there is none. Made as the page is printed, not on each
// keystroke, which it would slow several times over. Parsed into a document
// of its own, where nothing in it runs or loads, and moved in.
function showReport() {
  const why = printRefusal();
  const html = why ? '' : guarded('计算书', () => call('report', [JSON.stringify(texts()), today()]));
  if (!html) {
    const refusal = make('p', why || BROKEN);
    refusal.className = 'refusal';
    $('计算书').replaceChildren(refusal);
    return;
  }
  const parsed = new DOMParser().parseFromString(html, 'text/html');
  $('计算书').replaceChildren(...parsed.body.childNodes);
}

// ---- Start ------------------------------------------------------------

const TITLE = document.title;

function today() {
  return new Date().toLocaleDateString('zh-CN', { year: 'numeric', month: 'long', day: 'numeric' });
}

async function start() {
  try {
    await startEngine();
  } catch (error) {
    $('启动').textContent = error instanceof CannotRun ? error.message : BROKEN;
    $('启动').classList.add('message');
    console.error(error);
    return;
  }
  guarded('表单的建立', () => buildForm(JSON.parse(call('form', []))));
  fileCap = guarded('启动', () => ({ bytes: engine._gs_file_cap(), refusal: call('too_large', []) }));
  $('启动').remove();
  // A list picked by some means (a script, an assistive tool) reports a
  // change without an input event.
  $('表单').addEventListener('input', () => recompute());
  $('表单').addEventListener('change', () => recompute());
  // Enter in a field never sends the form anywhere.
  $('表单').addEventListener('submit', (event) => event.preventDefault());
  // The phone's totals bar gives way to the field being typed in.
  $('表单').addEventListener('focusin', () => document.body.classList.add('typing'));
  $('表单').addEventListener('focusout', () => document.body.classList.remove('typing'));
  // The browser's own print command as well as the button. The title is
  // what a browser offers as the PDF's name while it prints.
  window.addEventListener('beforeprint', () => {
    showReport();
    document.title = fileName('report').replace(/\.pdf$/, '');
  });
  window.addEventListener('afterprint', () => { document.title = TITLE; });
  $('打印').addEventListener('click', () => {
    const why = printRefusal();
    say(why);
    if (!why) window.print();
  });
  startFiles();
  startBatch();
  recompute(false);
  performance.mark('first-result');
  document.body.dataset.ready = 'true';
}

start();
