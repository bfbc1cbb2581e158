#include "Finestre.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QPointer>
#include <QSet>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

namespace corsa {

namespace {

// QWidget::setEnabled(false) would grey every label and picture of the
// window; this filter only keeps the user's input away from it.
class Blocco : public QObject {
public:
    using QObject::QObject;

    QSet<const QWidget*> bloccate;

    // Whether input for w goes to a blocked window. A popup (a menu, a
    // combo's list) belongs to the window it drops from; any other window,
    // a child message box or tool window too, stands on its own.
    bool Bloccato(const QWidget* w, QWidget** popup = nullptr) const
    {
        for (; w; w = w->parentWidget()) {
            if (bloccate.contains(w))
                return true;
            if (w->isWindow()) {
                if (w->windowType() != Qt::Popup)
                    return false;
                if (popup && !*popup)
                    *popup = const_cast<QWidget*>(w);
            }
        }
        return false;
    }

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (bloccate.isEmpty())
            return false;
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyRelease:
        case QEvent::ContextMenu:
        case QEvent::ToolTip:
        case QEvent::WhatsThis:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: break;
        case QEvent::Shortcut: return ScorciatoiaBloccata(o);
        case QEvent::Close: return ChiusuraBloccata(o, static_cast<QCloseEvent*>(e));
        default: return false;
        }
        if (o->isWindowType())
            return FinestraBloccata(static_cast<QWindow*>(o));
        if (!o->isWidgetType())
            return false;
        QWidget* popup = nullptr;
        if (!Bloccato(static_cast<QWidget*>(o), &popup))
            return false;
        // A popup left open on a blocked window would hold every click of
        // the application: the user's first try closes it.
        if (popup && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress))
            popup->close();
        return true;
    }

    // Qt gives a widget the focus on a click or a turn of the wheel before
    // any filter sees the widget's event: stop those at the window.
    bool FinestraBloccata(const QWindow* finestra) const
    {
        // With a popup open the window hands every mouse event to the popup,
        // which closes on a click outside it.
        if (QApplication::activePopupWidget())
            return false;
        for (const QWidget* w : bloccate)
            if (w->windowHandle() == finestra)
                return true;
        return false;
    }

    // The window manager's close (the title bar's button, Alt+F4) is the
    // user's input too. Qt turns close() into the same request, so nothing
    // closes a blocked window until it is given back.
    bool ChiusuraBloccata(QObject* o, QCloseEvent* e) const
    {
        bool bloccata = false;
        if (o->isWindowType()) {
            for (const QWidget* w : bloccate)
                bloccata |= w->windowHandle() == o;
        } else if (o->isWidgetType()) {
            bloccata = bloccate.contains(static_cast<QWidget*>(o));
        }
        if (bloccata)
            e->ignore();
        return bloccata;
    }

    // A shortcut goes to its action, its QShortcut or the widget it stands for
    // (a menu title, a button), whichever window has the focus.
    bool ScorciatoiaBloccata(QObject* o) const
    {
        if (o->isWidgetType())
            return Bloccato(static_cast<QWidget*>(o));
        if (auto* s = qobject_cast<QShortcut*>(o))
            return s->parent() && s->parent()->isWidgetType() && Bloccato(static_cast<QWidget*>(s->parent()));
        auto* a = qobject_cast<QAction*>(o);
        if (!a)
            return false;
        // Still live while any of its places is.
        bool bloccata = false;
        for (QObject* dove : a->associatedObjects()) {
            if (!dove->isWidgetType())
                continue;
            if (!Bloccato(static_cast<QWidget*>(dove)))
                return false;
            bloccata = true;
        }
        return bloccata;
    }
};

Blocco* Istanza(bool crea)
{
    static QPointer<Blocco> blocco; // gone with the application
    if (!blocco && crea && qApp) {
        blocco = new Blocco(qApp);
        qApp->installEventFilter(blocco);
    }
    return blocco;
}

} // namespace

void AbilitaFinestra(QWidget* finestra, bool abilitata)
{
    if (!finestra)
        return;
    Blocco* b = Istanza(!abilitata);
    if (!b)
        return;
    if (abilitata) {
        if (b->bloccate.remove(finestra))
            QObject::disconnect(finestra, &QObject::destroyed, b, nullptr);
    } else if (!b->bloccate.contains(finestra)) {
        b->bloccate.insert(finestra);
        // A later widget at the same address must not inherit the block.
        QObject::connect(finestra, &QObject::destroyed, b, [b, finestra] { b->bloccate.remove(finestra); });
    }
}

bool FinestraAbilitata(const QWidget* finestra)
{
    if (!finestra || !finestra->isEnabled())
        return false;
    const Blocco* b = Istanza(false);
    return !b || !b->bloccate.contains(finestra);
}

void DaiFuoco(QWidget* finestra)
{
    if (!finestra)
        return;
    QWidget* w = finestra->window();
    w->raise();
    w->activateWindow();
    // Given before the window system activates the window, the focus waits
    // there: the widget asked for, else the last one, else the first in tab order.
    QWidget* dentro = finestra != w ? finestra : w->focusWidget();
    for (QWidget* c = w->nextInFocusChain(); !dentro && c != w; c = c->nextInFocusChain())
        if (c->window() == w && (c->focusPolicy() & Qt::TabFocus) && c->isEnabled() && c->isVisibleTo(w))
            dentro = c;
    (dentro ? dentro : w)->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace corsa
