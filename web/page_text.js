// Texts as the page shows them: the web addresses in a region's sources as
// links, and the statement as plain text to paste into a chat. Amounts come
// from the engine as they are shown, with thousands separators (saved cases
// and CSV keep the engine's own text).

// An element with its text; children appended after.
function make(tag, text, ...children) {
  const element = document.createElement(tag);
  if (text !== undefined && text !== null) element.textContent = text;
  children.forEach((c) => element.append(c));
  return element;
}

// Ends a web address at a blank, at Chinese punctuation and at what sets it
// apart in the sources ("…html (二手)", "…html; http://…", "…html, …").
const WEB_ADDRESS = /\bhttps?:\/\/[^\s，。；、（）“”"'<>()\[\];,]+/gi;

// The text as text nodes and links: an http or https address opens in a new
// tab that learns nothing of this page; anything else stays text.
//   "见 https://a.cn/x.html (二手)" -> ["见 ", <a href="https://a.cn/x.html">, " (二手)"]
function withLinks(text) {
  const nodes = [];
  let at = 0;
  for (const found of text.matchAll(WEB_ADDRESS)) {
    const address = found[0].replace(/[.:!?]+$/, '');
    let url;
    try {
      url = new URL(address);
    } catch (error) {
      continue;
    }
    if (url.protocol !== 'http:' && url.protocol !== 'https:') continue;
    const link = make('a', address);
    link.href = url.href;
    link.target = '_blank';
    link.rel = 'noopener noreferrer';
    nodes.push(text.slice(at, found.index), link);
    at = found.index + address.length;
  }
  nodes.push(text.slice(at));
  return nodes;
}

// The statement as lines to paste into a chat: what was given, each item
// with its amount and payer, the totals, the region's data and the notes.
function chatText(s, date) {
  const lines = ['工伤待遇计算结果（仅供参考），计算日期：' + date];
  if (s.inputs.length) {
    lines.push('填写的情况：' + s.inputs.map(([name, text]) => name + ' ' + text).join('；'));
  }
  // After a death the family's benefits, then the worker's own items apart.
  const family = s.death ? '工亡待遇：' : '';
  const own = '职工本人的项目（' + s.if_unpaid_words + '）';
  for (const [part, title, total, each] of
    [['once', family + '一次性支付', s.once, ''], ['monthly', family + '按月支付', s.monthly, '每月 '],
      ['own', own, s.if_unpaid, '']]) {
    const items = s.items.filter((item) =>
      (item.if_unpaid ? 'own' : item.monthly ? 'monthly' : 'once') === part);
    if (!items.length) continue;
    lines.push('', title + '：');
    for (const item of items) {
      lines.push('· ' + item.name + '：' +
        (item.amount === null ? '未知' : each + item.amount + ' 元') +
        '（' + item.payer + '支付）');
    }
    lines.push(title + '合计：' + each + total.total + ' 元（基金支付 ' +
      total.fund + ' 元，用人单位支付 ' + total.employer + ' 元）');
  }
  lines.push('');
  if (s.retirement) lines.push('法定退休日期：' + s.retirement);
  if (s.region) lines.push('地区标准：' + s.region.name + '（' + s.region.status + '）');
  lines.push(...s.notes);
  lines.push('各项待遇以社会保险经办机构的核定和仲裁、法院的裁决为准。');
  return lines.join('\n');
}
