// The form on a private X server, driven by real key and mouse events from
// the server (xdotool): they take another path through the toolkit than
// synthetic events (a real Delete carries text, Alt+letter carries its
// letter, a message box is window activation).

#include "support/form_harness.h"
#include "support/modal_driver.h"
#include "support/x_display.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// The demo site's colours of a field without and with the focus.
const QColor kBack(255, 255, 255);
const QColor kFocus(255, 255, 204);

QColor Back(const QWidget* w)
{
    return w->palette().color(QPalette::Base);
}

}  // namespace

class TestXInput : public QObject {
    Q_OBJECT

public:
    explicit TestXInput(const XDisplay& x) : x_(x) {}

private:
    const XDisplay& x_;
    FormHarness h_;
    QStringList boxes_;  // texts of the boxes answered by answerBoxes()
    QList<QMessageBox::StandardButton> answers_;
    QPointer<QMessageBox> answered_;
    QTimer boxPoll_;

    F_K450120& F() { return h_.F(); }
    template <typename T = QWidget>
    T* W(const char* name) { return F().findChild<T*>(QLatin1String(name)); }

    void Keys(const QString& keys) { x_.Key(keys); QTest::qWait(250); }
    void Type(const QString& text) { x_.Type(text, 60); QTest::qWait(300); }
    void ClickOn(QWidget* w, int count = 1, QPoint at = {})
    {
        const QPoint p = w->mapToGlobal(at.isNull() ? w->rect().center() : at);
        x_.Click(p.x(), p.y(), count);
        QTest::qWait(400);
    }

    // Answers each message box, once it has the keyboard, with a click on the
    // next button of answers_ (then its default button); its text to boxes_.
    void AnswerBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == answered_ || !box->isActiveWindow())
            return;
        answered_ = box;
        boxes_ << box->text();
        const auto answer = answers_.isEmpty() ? box->standardButton(box->defaultButton())
                                               : answers_.takeFirst();
        QAbstractButton* button = box->button(answer);
        const QPoint p = button->mapToGlobal(button->rect().center());
        x_.Click(p.x(), p.y());
    }

    // The line screen of a key, through the keyboard: category, key, Enter
    // through the detail settings.
    void OpenLines(const char* category, const char* code, const char* bpid)
    {
        Type(QLatin1String(category));
        Type(QLatin1String(code));
        Type(QLatin1String(bpid));
        for (int i = 0; i < 7 && !F().Frame[0]->isVisible(); ++i)
            Keys(QStringLiteral("Return"));
        QVERIFY(F().Frame[0]->isVisible());
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(h_.UseSite(), qPrintable(h_.Site().Error()));
        connect(&boxPoll_, &QTimer::timeout, this, &TestXInput::AnswerBox);
        boxPoll_.start(20);
    }

    void init()
    {
        QVERIFY(h_.Start());
        boxes_.clear();
        answers_.clear();
    }

    void cleanup() { h_.Stop(); }

    // Alt and Ctrl combinations type nothing and finish no field; F5 in
    // ＢＰＩＤ lists nothing while a key is registered.
    void headerKeys()
    {
        Type(QStringLiteral("1"));
        auto* code = W<FieldEdit>("txt_JohoKbn");
        QCOMPARE(QApplication::focusWidget(), code);
        Type(QStringLiteral("01"));
        Keys(QStringLiteral("alt+x"));
        Keys(QStringLiteral("ctrl+1"));
        QCOMPARE(code->text(), QStringLiteral("01"));
        Type(QStringLiteral("01"));
        QCOMPARE(QApplication::focusWidget(), W("txt_BPID"));

        ModalDriver search(QStringLiteral("SEARCH_MSTDB"), [](QDialog* d) { d->reject(); });
        Keys(QStringLiteral("F5"));
        QVERIFY(!search.Seen());
        Type(QStringLiteral("NEWKEY01"));
        QCOMPARE(QApplication::focusWidget(), W("txt_Yosikisyubetu"));

        Keys(QStringLiteral("Return"));
        Keys(QStringLiteral("Return"));
        auto* mode = W<FieldEdit>("txt_KakunoMode");
        QCOMPARE(QApplication::focusWidget(), mode);
        Keys(QStringLiteral("alt+x"));
        QCOMPARE(mode->text(), QString());
        QCOMPARE(QApplication::focusWidget(), mode);
        // A full field: releasing Alt does not finish it.
        Type(QStringLiteral("M"));
        Keys(QStringLiteral("Up"));
        QCOMPARE(QApplication::focusWidget(), mode);
        Keys(QStringLiteral("alt+q"));
        QCOMPARE(QApplication::focusWidget(), mode);
        QCOMPARE(mode->text(), QStringLiteral("M"));
        QVERIFY(boxes_.isEmpty());
    }

    // Delete and the other editing keys edit the digit-only fields of both
    // panes; Alt and Ctrl combinations type nothing there either.
    void paneKeys()
    {
        OpenLines("2", "0101", "ORDERS01");
        for (const char* name : {"txt_KomokuNo", "txt_Kurikaesisu", "txt_NagasaLocal",
                                 "txt_SyosuNagasaLocal", "txt_KurikaesisuLocal"}) {
            auto* field = W<FieldEdit>(name);
            F().Run([name](FormState& s) {
                s.FieldNamed(QLatin1String(name))->enabled = true;
                s.FieldNamed(QLatin1String(name))->text = QStringLiteral("12");
            });
            ClickOn(field);
            Keys(QStringLiteral("Home"));
            Keys(QStringLiteral("Delete"));
            Keys(QStringLiteral("Insert"));
            Keys(QStringLiteral("ctrl+1"));
            QCOMPARE(field->text(), QStringLiteral("2"));
            Keys(QStringLiteral("End"));
            Keys(QStringLiteral("shift+Left"));
            Keys(QStringLiteral("Delete"));
            QCOMPARE(field->text(), QString());
            Keys(QStringLiteral("3"));
            Keys(QStringLiteral("BackSpace"));
            QCOMPARE(field->text(), QString());
        }
        auto* name = W<FieldEdit>("txt_KomokuMei");
        ClickOn(name);
        Type(QStringLiteral("AB"));
        Keys(QStringLiteral("alt+i"));
        Keys(QStringLiteral("ctrl+1"));
        QCOMPARE(name->text(), QStringLiteral("AB"));
        QVERIFY(boxes_.isEmpty());
    }

    // Colours follow the field that has the focus, not the window: a box
    // that opens and closes leaves no field and enters none.
    void focusColours()
    {
        Type(QStringLiteral("2"));
        auto* code = W<FieldEdit>("txt_JohoKbn");
        QCOMPARE(Back(code), kFocus);
        answers_ = {QMessageBox::No};
        QTimer::singleShot(0, &F(), &QWidget::close);
        QTRY_COMPARE(boxes_, QStringList{QStringLiteral("終了してもよろしいですか")});
        QTest::qWait(500);  // the form is active again
        QCOMPARE(QApplication::focusWidget(), code);
        for (FieldEdit* field : F().findChildren<FieldEdit*>())
            if (field->objectName() != QLatin1String("txt_SyoriKbn"))
                QCOMPARE(Back(field), kBack);
        Keys(QStringLiteral("Down"));
        QCOMPARE(Back(W("txt_BPID")), kFocus);
        QCOMPARE(Back(code), kBack);

        // A refused field keeps the focus colour and its text selected.
        Type(QStringLiteral("ABC"));
        Keys(QStringLiteral("Return"));
        QTRY_COMPARE(boxes_.size(), 2);
        QTest::qWait(500);
        QCOMPARE(boxes_.back(), QStringLiteral("ＢＰＩＤが不正です"));
        QCOMPARE(Back(W("txt_BPID")), kFocus);

        // The program moves the focus as a box closes, before X has given the
        // form the keyboard back: the new field is entered, the old one left.
        Keys(QStringLiteral("Escape"));
        OpenLines("2", "0101", "ORDERS01");
        auto* item = W<FieldEdit>("txt_KomokuNo");
        ClickOn(item);
        QCOMPARE(Back(item), kFocus);
        answers_ = {QMessageBox::No};
        Keys(QStringLiteral("Escape"));
        QTRY_COMPARE(boxes_.back(), QStringLiteral("更新しますか"));
        QTest::qWait(500);
        QCOMPARE(QApplication::focusWidget(), W("txt_Yosikisyubetu"));
        QCOMPARE(Back(W("txt_Yosikisyubetu")), kFocus);
        QCOMPARE(Back(item), kBack);
    }

    // A double click below the last line prepares a new item, as 項目追加（A).
    void doubleClickBelowTheLines()
    {
        OpenLines("1", "0101", "NEWKEY01");
        struct Side {
            const char* list;
            const char* first;
            const char* group;
        };
        for (const Side& side : {Side{"Lis_Local", "txt_KomokuMei", "txt_MultiMeisaiBangoLocal"},
                                 Side{"Lis_Hyojun", "txt_KomokuNo", "txt_MultiMeisaiBango"}}) {
            auto* first = W<FieldEdit>(side.first);
            auto* group = W<FieldEdit>(side.group);
            ClickOn(first);
            Keys(QStringLiteral("alt+m"));  // a new group: its fields are the enabled ones
            QVERIFY(group->isEnabled() && !first->isEnabled());
            ClickOn(W(side.list), 2);
            QVERIFY(first->isEnabled() && !group->isEnabled());
            QCOMPARE(QApplication::focusWidget(), first);
        }
        QVERIFY(boxes_.isEmpty());
    }
};

int main(int argc, char* argv[])
{
    // The form must talk to a server that X events come from.
    XDisplay x;
    if (!x.Ok()) {
        qCritical("Xvfb did not start");
        return 1;
    }
    qputenv("DISPLAY", x.Display().toUtf8());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    TestXInput test(x);
    return QTest::qExec(&test, argc, argv);
}

#include "test_x_input.moc"
