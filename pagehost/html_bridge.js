// Injected into every page of an HTML dialog when its document is created, before the page's own
// scripts run, in a script world of its own. It reports each event that the dialog's event map
// names to the host through a prompt that carries a private marker, before any listener of the
// page's scripts sees the event; the host routes the event synchronously and answers "allow" or
// "cancel", and a cancelled event loses its default action. Only the user's own events count: one
// that a script makes up (a click() on a close element, say) is not reported.
//
// What it reports comes from the elements of the program's own, which it records itself: those
// with an id that the document holds before its first script element, and those that the host
// puts in through the operations below. Each keeps the id the program gave it, whatever a page
// script later does to its id attribute; an element that a page script makes, or that came in a
// notice (inside an element with @NOTICE_ATTRIBUTE@, whose HTML came from the network), has none.
// An event inside a notice is reported as the notice's, and a click on a web link says which
// address the user clicked. It also gives the page the few things that only the old browser did.
// The host fills in @MARKER@, @EVENTS@, @NOTICE_ATTRIBUTE@ and @API@, the name under which this
// world's global holds the host's element operations.
(function () {
    'use strict';
    const marker = '@MARKER@';
    const eventNames = @EVENTS@;
    const noticeAttribute = '@NOTICE_ATTRIBUTE@';
    // Kept before any page script can replace them.
    const ask = window.prompt.bind(window);
    const stringify = JSON.stringify;

    const programIds = new WeakMap();
    const programElements = new Map();
    const noticeBoxes = new WeakSet();

    function record(element, id) {
        programIds.set(element, id);
        programElements.set(id, element);
    }

    function programElement(id) {
        const element = programElements.get(id);
        return element && element.isConnected ? element : null;
    }

    function noticeBoxOf(element) {
        for (let node = element; node; node = node.parentElement) {
            if (noticeBoxes.has(node)) return node;
        }
        return null;
    }

    // The document as parsed up to its first script element is the program's. Its elements are
    // recorded with the ids they came in with: a script that changed one before the records
    // arrive left its old value in them.
    let sealed = false;
    function recordParsed(records) {
        const idsOnArrival = new Map();
        for (const change of records) {
            if (change.type === 'attributes' && !idsOnArrival.has(change.target)) {
                idsOnArrival.set(change.target, change.oldValue);
            }
        }
        for (const change of records) {
            if (change.type !== 'childList') continue;
            for (const node of change.addedNodes) {
                if (!(node instanceof Element)) continue;
                for (const element of [node, ...node.querySelectorAll('*')]) {
                    if (sealed) return;
                    if (element.tagName === 'SCRIPT') {
                        sealed = true;
                        return;
                    }
                    const id = idsOnArrival.has(element) ? idsOnArrival.get(element) : element.id;
                    if (id) record(element, id);
                }
            }
        }
    }
    const parsed = new MutationObserver(function (records) {
        recordParsed(records);
        if (sealed) parsed.disconnect();
    });
    parsed.observe(document, {childList: true, subtree: true, attributes: true,
                              attributeFilter: ['id'], attributeOldValue: true});

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
        for (const [id, element] of programElements) {
            if (element.isConnected && ['INPUT', 'TEXTAREA', 'SELECT'].includes(element.tagName)) {
                values[id] = element.value;
            }
        }
        return values;
    }

    // The http or https address of the link that element lies in; empty for none.
    function webLink(element) {
        const link = element.closest('a[href]');
        const address = link ? link.href : '';
        return /^https?:/i.test(address) ? address : '';
    }

    function report(event) {
        if (!event.isTrusted) return;
        const target = event.target instanceof Element ? event.target
                     : event.target instanceof Node ? event.target.parentElement : null;
        if (!target) return;
        const source = noticeBoxOf(target) || target;
        const answer = ask(marker, stringify({
            event: event.type,
            id: programIds.get(source) || '',
            tag: source.tagName,
            keyCode: event.keyCode || 0,
            selection: selectionHtml(),
            textEdit: isTextEdit(source),
            values: formValues(),
            link: event.type === 'click' ? webLink(target) : '',
        }));
        if (answer === 'cancel') {
            event.preventDefault();
            event.returnValue = false;
        }
    }

    // On the window while the event comes down to its target: before any listener of the page.
    for (const name of eventNames) window.addEventListener(name, report, true);

    // The host's element operations, on the program's own elements only.
    Object.defineProperty(window, '@API@', {value: Object.freeze({
        setHtml(id, html) {
            const element = programElement(id);
            if (!element) return;
            element.innerHTML = html;
            for (const box of element.querySelectorAll('[' + noticeAttribute + ']')) {
                noticeBoxes.add(box);
            }
            for (const inner of element.querySelectorAll('[id]')) {
                if (!noticeBoxOf(inner)) record(inner, inner.id);
            }
        },
        setAttribute(id, name, value) {
            const element = programElement(id);
            if (element) element.setAttribute(name, value);
        },
        setValue(id, value) {
            const element = programElement(id);
            if (element) element.value = value;
        },
        value(id) {
            const element = programElement(id);
            return element && typeof element.value === 'string' ? element.value : null;
        },
    })});

    document.addEventListener('DOMContentLoaded', function () {
        recordParsed(parsed.takeRecords());
        sealed = true;
        parsed.disconnect();
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
