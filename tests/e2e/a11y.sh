#!/usr/bin/env bash
# What a screen reader reads of Tocklet over AT-SPI: the tab strip as a page tab list whose press
# shows a page, the fields named by their labels, the link and its action, the reminder's box.
source "$(dirname "$0")/lib.sh" "$1"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 & pids+=($!)
printf '#!/bin/sh\necho "$@" >"%s"\n' "$work/edited" >"$work/gedit" && chmod +x "$work/gedit"
PATH=$work:$PATH QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start
out=$(/usr/bin/python3 - <<'PY' 2>&1
import pyatspi, time
find = lambda node, test: [node] * test(node) + sum((find(c, test) for c in node if c), [])
def wait(test):
    for _ in range(100):
        hits = [h for a in pyatspi.Registry.getDesktop(0) if a and a.name.lower() == 'tocklet' for h in find(a, test)]
        if hits: return hits
        time.sleep(0.1)
has, role = lambda o, state: o.getState().contains(state), lambda r: lambda o: o.getRole() == r
tabs = find(wait(role(pyatspi.ROLE_PAGE_TAB_LIST))[0], role(pyatspi.ROLE_PAGE_TAB))
print('tabs', *[t.name + '*' * has(t, pyatspi.STATE_SELECTED) for t in tabs])
tabs[1].queryAction().doAction(0)
print('advanced', len(wait(lambda o: o.getRole() == pyatspi.ROLE_CHECK_BOX and has(o, pyatspi.STATE_SHOWING))))
print('fields', *sorted(f.name for f in wait(role(pyatspi.ROLE_TEXT)) if f.name))
link = wait(role(pyatspi.ROLE_LINK))[0]
print('link', link.name, link.queryAction().getName(0))
link.queryAction().doAction(0)
tabs[0].queryAction().doAction(0)
wait(lambda o: o.getRole() == pyatspi.ROLE_PUSH_BUTTON and o.name.startswith('开始'))[0].queryAction().doAction(0)
box = wait(lambda o: o.name == '时间到' and o.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT))[0]
print('box', any('请在这里输入' in o.name for o in find(box, role(pyatspi.ROLE_LABEL))), *[b.name for b in find(box, role(pyatspi.ROLE_PUSH_BUTTON))])
PY
)
[ "$out" = $'tabs 常规* 高级 简介\nadvanced 4\nfields 分钟 小时 秒数 选择文件或设置DOS命令\nlink task.dat Press\nbox True 确定' ] ||
  fail "AT-SPI: $out"
until_true test -s "$work/edited" && grep -q task.dat "$work/edited" || fail "the link's action opened no editor"
echo "a11y: ok"
