// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The painted labels as assistive technology meets them, as the window exposes them: each
// lies over its painted caption, transparent; those that take clicks are buttons named by
// their captions, whose press is a click in their middle; the counts are read with their
// captions; and what a player must hear goes to the live region.

export class AccessibleLabels {
  // `press` clicks a label at the middle of its place in the window, in twips.
  constructor(press) {
    this.layer = document.getElementById('labels');
    this.news = document.getElementById('news');
    this.press = press;
    this.elements = new Map();
  }

  elementFor(label) {
    let element = this.elements.get(label.name);
    if (element) return element;
    if (label.click) {
      element = document.createElement('button');
      element.type = 'button';
      // A keyboard's or a screen reader's press; a pointer's goes to the form as it is.
      element.addEventListener('click', (event) => {
        if (event.detail === 0) this.press(element.dataset.click.split(',').map(Number));
      });
    } else {
      element = document.createElement('span');
      if (label.labelledBy) {
        element.setAttribute('role', 'status');
        element.setAttribute('aria-live', 'off');
        element.setAttribute('aria-labelledby', `a-${label.labelledBy}`);
      }
    }
    element.id = `a-${label.name}`;
    this.layer.append(element);
    this.elements.set(label.name, element);
    return element;
  }

  // Over its painted caption; a label of the panel lies on the panel.
  move(label, form, inPanel) {
    const frame = form.Frame1;
    const [dx, dy] = inPanel ? [frame.x, frame.y] : [0, 0];
    const element = this.elementFor(label);
    Object.assign(element.style, {
      left: `${label.x + dx}px`, top: `${label.y + dy}px`, width: `${label.w}px`, height: `${label.h}px`,
    });
    if (label.click) element.dataset.click = label.click.join(',');
  }

  // A label of the panel shows only with the panel.
  show(label, form, inPanel) {
    this.elementFor(label).hidden = !(label.visible && (!inPanel || form.Frame1.visible));
  }

  rename(label) {
    this.elementFor(label).textContent = label.readable;
  }

  enable(label) {
    if (label.click) this.elementFor(label).setAttribute('aria-disabled', String(!label.enabled));
  }

  // Every label, as the form first shows.
  placeAll(form) {
    for (const [controls, inPanel] of [[form.window, false], [form.panel, true]]) {
      for (const label of controls) {
        if (label.kind !== 'label') continue;
        this.move(label, form, inPanel);
        this.show(label, form, inPanel);
        this.rename(label);
        this.enable(label);
      }
    }
  }

  // After an input, only the labels that changed are touched: each moved to where it now
  // lies, and given what assistive technology must be told of it (`answer.told`). The
  // panel's labels move, show and hide with the panel.
  update(answer, form) {
    const told = Object.fromEntries(Object.entries(answer.told).map(([what, names]) => [what, new Set(names)]));
    for (const [controls, inPanel] of [[answer.window, false], [answer.panel, true]]) {
      for (const label of controls) {
        if (label.kind !== 'label') continue;
        this.move(label, form, inPanel);
        if (told.renamed.has(label.name)) this.rename(label);
        if (told.shownOrHidden.has(label.name)) this.show(label, form, inPanel);
        if (told.enabledOrDisabled.has(label.name)) this.enable(label);
      }
    }
    if (answer.Frame1) {
      for (const label of form.panel) {
        if (label.kind !== 'label') continue;
        this.move(label, form, true);
        this.show(label, form, true);
      }
    }
    this.say(answer);
  }

  // What a player must hear goes to the live region.
  say(answer) {
    if (!answer.news) return;
    this.news.setAttribute('aria-live', answer.newsCanWait ? 'polite' : 'assertive');
    this.news.textContent = answer.news;
  }
}
