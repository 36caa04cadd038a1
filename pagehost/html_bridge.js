// Injected into every page of an HTML dialog when its document is created, before the page's own
// scripts run, in a script world of its own. It reports each event that the dialog's event map
// names, as it bubbles up to the document, to the host through a prompt that carries a private
// marker; the host routes the event synchronously and answers "allow" or "cancel", and a
// cancelled event loses its default action. Only the user's own events count: one that a script
// makes up (a click() on a close element, say) is not reported. It also gives the page the few
// things that only the old browser did. The host fills in @MARKER@ and @EVENTS@.
(function () {
    'use strict';
    const marker = '@MARKER@';
    const eventNames = @EVENTS@;
    // Kept before any page script can replace them.
    const ask = window.prompt.bind(window);
    const stringify = JSON.stringify;

    // Elements that hold editable text, as the old browser counted them.
    const textInputTypes = ['text', 'password', 'search', 'email', 'url', 'tel', 'number',
                            'hidden', 'button', 'submit', 'reset'];
    function isTextEdit(element) {
        switch (element.tagName) {
            case 'BODY': case 'BUTTON': case 'TEXTAREA': return true;
            case 'INPUT': return textInputTypes.includes(element.type);
            default: return false;
        }
    }

    function selectionHtml() {
        const selection = window.getSelection();
        if (!selection) return '';
        const holder = document.createElement('div');
        if (!selection.isCollapsed) {
            for (let i = 0; i < selection.rangeCount; ++i) {
                holder.appendChild(selection.getRangeAt(i).cloneContents());
            }
        }
        if (holder.innerHTML === '') holder.textContent = selection.toString();
        return holder.innerHTML;
    }

    function formValues() {
        const values = {};
        for (const control of document.querySelectorAll('input[id], textarea[id], select[id]')) {
            values[control.id] = control.value;
        }
        return values;
    }

    function report(event) {
        if (!event.isTrusted) return;
        const source = event.target instanceof Element ? event.target
                                                       : event.target.parentElement;
        if (!source) return;
        const answer = ask(marker, stringify({
            event: event.type,
            id: source.id,
            tag: source.tagName,
            keyCode: event.keyCode || 0,
            selection: selectionHtml(),
            textEdit: isTextEdit(source),
            values: formValues(),
        }));
        if (answer === 'cancel') {
            event.preventDefault();
            event.returnValue = false;
        }
    }

    for (const name of eventNames) document.addEventListener(name, report, false);

    document.addEventListener('DOMContentLoaded', function () {
        // The old browser's "cursor:hand" is the pointing hand; today's browsers drop the value.
        const style = document.createElement('style');
        style.textContent = '[style*="cursor:hand" i], [style*="cursor: hand" i] ' +
                            '{ cursor: pointer; }';
        (document.head || document.documentElement).appendChild(style);
        // The old browser made a text box as wide as its size in Latin letters; today's take
        // the face's average width, which for a Chinese face is a whole ideograph.
        for (const box of document.querySelectorAll('input[size]')) {
            if (!box.style.width) box.style.width = box.size + 'ch';
        }
    });
})();
