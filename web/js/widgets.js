// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The form's windowed controls as real HTML controls: the input line, the speed options and
// the game-length box. They show what the form holds after every input, and hand what the
// player does to them to the game; what the page itself writes into them is no input.
import { cssFont } from './faces.js';

const alignments = ['left', 'right', 'center'];

function place(element, control) {
  const style = element.style;
  style.left = `${control.x}px`;
  style.top = `${control.y}px`;
  style.width = `${control.w}px`;
  style.height = `${control.h}px`;
  style.font = cssFont(control.font.face, control.font.px, control.font.bold);
  style.setProperty('--fore', control.fore);
  style.setProperty('--back', control.back);
  style.zIndex = String(control.tabIndex);
}

function showIf(element, visible) {
  element.hidden = !visible;
}

// Which key the input line reports for a key press: the character's code from 1 to 255 as
// the window's toolkit gives it, a control letter's control code, or 0 for none.
export function keyAsciiOf(event) {
  if (event.isComposing || event.metaKey) return 0;
  const { key } = event;
  if ([...key].length === 1) {
    if (event.ctrlKey && !event.altKey && /^[a-z]$/i.test(key)) return key.toUpperCase().charCodeAt(0) - 64;
    const code = key.codePointAt(0);
    return code >= 1 && code <= 255 ? code : 0;
  }
  return { Backspace: 8, Enter: 13, Escape: 27 }[key] ?? 0;
}

export class Widgets {
  // `deliver` takes a function that hands one input to the core and shows its answer.
  constructor(deliver) {
    this.text1 = document.getElementById('Text1');
    this.option1 = document.getElementById('Option1');
    this.option2 = document.getElementById('Option2');
    this.combo1 = document.getElementById('Combo1');
    this.comboList = document.getElementById('Combo1List');
    this.syncing = false;
    this.list = null;
    // Where the focus went when the disabled or hidden input line lost it: null for nowhere.
    this.takenFromInputLine = undefined;

    const unlessSyncing = (input) => () => { if (!this.syncing) deliver(input); };
    this.text1.addEventListener('input', unlessSyncing((core) => core.inputLineText(this.text1.value)));
    this.option1.addEventListener('change', unlessSyncing((core) => core.speedChosen(false)));
    this.option2.addEventListener('change', unlessSyncing((core) => core.speedChosen(true)));
    this.combo1.addEventListener('input', unlessSyncing((core) => core.lengthText(this.combo1.value)));
    // A character goes to the game before the line edits itself; a late tick the game
    // runs first may end the game and disable the line, which then takes no edit.
    this.text1.addEventListener('keydown', (event) => {
      const code = keyAsciiOf(event);
      if (code) deliver((core) => core.key(code));
      if (this.text1.disabled) event.preventDefault();
    });
    // Characters composed by an input method or dead keys are typed characters too.
    this.text1.addEventListener('compositionend', (event) => {
      for (const c of event.data ?? '') {
        const code = c.codePointAt(0);
        if (code >= 1 && code <= 255) deliver((core) => core.key(code));
      }
    });
  }

  // Shows what the controls in `answer` now hold: those that changed (at start, all of
  // them). Then the input line takes the keyboard back if it should.
  sync(answer, form) {
    this.syncing = true;
    try {
      if (answer.Text1) this.syncInputLine(answer.Text1);
      this.syncSettings(answer);
      this.handFocusToInputLine(form.Text1);
    } finally {
      this.syncing = false;
    }
  }

  syncInputLine(t) {
    const hadFocus = document.activeElement === this.text1;
    place(this.text1, t);
    this.text1.style.textAlign = alignments[t.align];
    this.text1.maxLength = t.maxLength > 0 ? t.maxLength : 524288;
    if (this.text1.value !== t.text) {
      this.text1.value = t.text;
      this.text1.setSelectionRange(0, 0);
    }
    this.text1.disabled = !t.enabled;
    showIf(this.text1, t.visible);
    if (hadFocus && document.activeElement !== this.text1) this.takenFromInputLine = this.holder();
  }

  syncSettings(answer) {
    for (const [option, element] of [[answer.Option1, this.option1], [answer.Option2, this.option2]]) {
      if (!option) continue;
      const holder = element.parentElement;
      place(holder, option);
      holder.lastChild.textContent = option.caption;
      if (option.value && !element.checked) element.checked = true;
      showIf(holder, option.visible);
    }
    const c = answer.Combo1;
    if (!c) return;
    place(this.combo1, c);
    const list = JSON.stringify(c.list);
    if (list !== this.list) {
      this.list = list;
      this.comboList.replaceChildren(...c.list.map((item) => new Option(item)));
    }
    if (this.combo1.value !== c.text) this.combo1.value = c.text;
    showIf(this.combo1, c.visible);
  }

  // The control holding the keyboard, or null when none does.
  holder() {
    const active = document.activeElement;
    return active && active !== document.body ? active : null;
  }

  // A player never has to click the input line to go on typing: it takes the focus back
  // from a control going away, and from where the focus went at time over unless the
  // player has moved it since.
  handFocusToInputLine(t) {
    if (!t.visible || !t.enabled) return;
    const holder = this.holder();
    const takenBy = this.takenFromInputLine;
    this.takenFromInputLine = undefined;
    if (takenBy !== undefined && holder === takenBy) {
      this.text1.focus({ preventScroll: true });
      return;
    }
    if (holder === null || holder.disabled || holder.closest('[hidden]') !== null) {
      this.text1.focus({ preventScroll: true });
    }
  }
}
