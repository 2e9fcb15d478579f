// Files and sharing: case files opened and saved, a rules file of one's
// own, the result copied as text, and a word before leaving with input
// that was not saved. A case or rules file over the native programs' cap
// is refused, in their words, before a byte of it is read.

let fileCap = null; // {bytes, refusal}: the engine's cap and its words
let userRules = null; // {name, bytes}: the rules file loaded, for a fresh engine
let savedTexts = ''; // the form as last opened or saved

function say(text, kind) {
  $('消息').textContent = text;
  $('消息').hidden = !text;
  $('消息').classList.toggle('info', kind === 'info');
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

// Runs `take` on the picked file: with its bytes, or with the refusal when
// it is over `cap` bytes. The picker is emptied so that the same file can
// be picked again after it was mended.
function onPick(buttonId, inputId, take) {
  $(buttonId).addEventListener('click', () => $(inputId).click());
  $(inputId).addEventListener('change', async (event) => {
    const file = event.target.files[0];
    event.target.value = '';
    if (!file) return;
    if (!fileCap || file.size > fileCap.bytes) {
      take(file.name, null, fileCap ? fileCap.refusal : '计算引擎没有运行，请重新打开此页面');
      return;
    }
    take(file.name, new Uint8Array(await file.arrayBuffer()), '');
  });
}

function openCase(name, bytes, refusal) {
  const opened = refusal ? { problem: refusal } :
    guarded('案例的打开', () => JSON.parse(call('open_case', [bytes])));
  if (!opened) return;
  if (opened.problem) {
    say('无法打开案例“' + name + '”：' + opened.problem + '。页面中的内容没有改变。');
    return;
  }
  say('');
  // What the engine filled in for the person to check stays under its field
  // until another case is opened.
  const notices = new Map((opened.notices || []).map((n) => [n.field, n.words]));
  for (const [field, entry] of controls) {
    setText(entry, opened.texts[field] || '');
    entry.notice.textContent = notices.get(field) || '';
    entry.notice.hidden = !notices.has(field);
  }
  savedTexts = JSON.stringify(texts());
  recompute();
}

function loadRules(name, bytes, refusal) {
  const problem = refusal ? name + '：' + refusal :
    guarded('规则文件的载入', () => call('load_rules', [name, bytes]));
  if (problem === undefined) return;
  if (problem) {
    say('规则文件未载入：' + problem + '。仍使用原来的规则。');
    return;
  }
  userRules = { name, bytes };
  say('');
  const form = guarded('规则文件的载入', () => JSON.parse(call('form', [])));
  if (!form) return;
  const region = form.groups.flatMap((g) => g.fields).find((f) => f.kind === 'region');
  fillList(controls.get('地区').control, region.items);
  $('用户规则').textContent = '；已载入用户规则文件“' + name + '”，其中的数字未经本程序核对';
  recompute();
}

// The name the engine gives a saved case ('case') or the report ('report'):
// "工伤案例-张三-某某公司.json", after 姓名 and 单位 where given.
function fileName(what) {
  return guarded('文件名', () => call('file_name', [JSON.stringify(texts()), what])) ||
    (what === 'case' ? '工伤案例.json' : '工伤待遇计算书.pdf');
}

function saveCase() {
  const bytes = guarded('案例的保存', () => call('save_case', [JSON.stringify(texts())], true));
  if (!bytes) return;
  download([bytes], fileName('case'), 'application/json');
  savedTexts = JSON.stringify(texts());
}

// Copies the statement as plain text for a chat, through the clipboard API
// where the browser allows it, else through a selected text area.
async function copyResult() {
  if (!shown || !shown.statement || $('结果').classList.contains('stale')) {
    say(printRefusal().replace('无法打印计算书', '没有可复制的结果'));
    return;
  }
  const text = chatText(shown.statement, today());
  try {
    await navigator.clipboard.writeText(text);
  } catch (error) {
    const area = make('textarea', text);
    area.className = 'picker';
    document.body.append(area);
    area.select();
    const copied = document.execCommand('copy');
    area.remove();
    if (!copied) {
      say('浏览器不允许复制。请选中下面的结果，按 Ctrl+C（手机上长按）复制。');
      return;
    }
  }
  say('结果已复制为文字，可以粘贴到聊天或邮件中。', 'info');
}

function startFiles() {
  onPick('打开案例', '案例文件', openCase);
  onPick('规则文件', '规则文件选择', loadRules);
  $('保存案例').addEventListener('click', saveCase);
  $('复制结果').addEventListener('click', copyResult);
  savedTexts = JSON.stringify(texts());
  // Closing the tab, reloading it (a phone's pull to refresh) or going
  // elsewhere loses what was typed: the browser asks first.
  window.addEventListener('beforeunload', (event) => {
    if (JSON.stringify(texts()) === savedTexts) return;
    event.preventDefault();
    event.returnValue = '';
  });
}
