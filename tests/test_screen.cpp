// The main form in this process on a private X server: its widgets show the state after every operation, the
// operator's edits reach the state before the next one, keys from the X server reach the core once, the boxes
// and search dialogs are real modal ones, and another desk's change meets a refusal that says why.

#include "app/startup.h"
#include "core/item_list.h"
#include "screen/category_search.h"
#include "screen/code_search.h"
#include "screen/dialogs.h"
#include "screen/item_list_box.h"
#include "screen/twips.h"
#include "support/form_harness.h"
#include "support/x_display.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

static const QColor kBack(255, 255, 255), kFocus(255, 255, 204);  // the demo site's field colours, the focus's
static const QString kAskUpdate = QStringLiteral("更新しますか");

class TestScreen : public QObject {
    Q_OBJECT

public:
    explicit TestScreen(const XDisplay& x) : x_(x) {}
private:
    const XDisplay& x_;
    TempSite site_;  // one for the run: this process's ODBC layer reads its configuration once
    std::unique_ptr<F_K450120> form_;
    F_K450120& F() { return *form_; }

    // The form started for the command line and active; one at a time, as in the program.
    bool Start(const QByteArray& commandLine = "OP01")
    {
        form_.reset();
        form_ = std::make_unique<F_K450120>(site_.ProgramFolder());
        return StartUp(*form_, commandLine) == 0 && QTest::qWaitForWindowActive(form_.get());
    }
    // Processing category typed, information category and BPID (where given) entered; the texts of the boxes shown.
    QStringList EnterKey(const char* category, const char* code, const char* bpid)
    {
        MessageBoxAnswerer answerer;
        QTest::keyClicks(F().txt_SyoriKbn, QLatin1String(category));
        for (auto [field, text] : {std::pair{F().txt_JohoKbn, code}, {F().txt_BPID, bpid}}) {
            if (*text) {
                field->setText(QLatin1String(text));
                QTest::keyClick(field, Qt::Key_Return);
            }
        }
        return answerer.Texts();
    }

    // The controls whose widgets show other than the state (enabled, visible, twips, text, locked, colour, list
    // rows, selection) and whether the focus is elsewhere (unless `focus` is false); empty when none.
    QString Mismatch(bool focus = true)
    {
        QStringList wrong;
        for (Control* c : F().State.Controls()) {
            auto* w = F().findChild<QWidget*>(c->name);
            auto* edit = qobject_cast<FieldEdit*>(w);
            auto* list = qobject_cast<ItemListBox*>(w);
            QStringList rows;
            for (int row = 0; list && row < list->count(); ++row)
                rows << list->text(row);
            const bool text = edit || qobject_cast<QLabel*>(w);
            const LineList& lines = list ? static_cast<LineList&>(*c) : F().State.Lis_Hyojun;
            if (std::tuple(w->isEnabled(), !w->isHidden(), LeftTwips(w), TopTwips(w), WidthTwips(w), HeightTwips(w),
                           text ? w->property("text").toString() : c->text, edit && edit->isReadOnly(),
                           edit ? edit->palette().color(QPalette::Base) : QColor(), rows, list ? list->currentRow() : -1)
                != std::tuple(c->enabled, c->visible, c->geometry.left, c->geometry.top, c->geometry.width, c->geometry.height,
                              c->text, edit && static_cast<Field*>(c)->locked,
                              edit ? (static_cast<Field*>(c)->focusColour ? kFocus : kBack) : QColor(),
                              list ? ListTexts(lines.table, lines.local).mid(0, lines.rows) : QStringList(), list ? lines.currentRow : -1))
                wrong << c->name;
        }
        QWidget* active = F().Binding().WidgetOf(F().State.Fields.Active);
        if (focus && active && active->isEnabled() && active->isVisible() && F().focusWidget() != active)
            wrong << QStringLiteral("focus");
        return wrong.join(QLatin1Char(' '));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(site_.Ok(), qPrintable(site_.Error()));
        site_.UseOdbcConfiguration();
    }
    void init() { QVERIFY(Start()); }
    void cleanup() { form_.reset(); }

    // A road through the header and line screens. What the operator changed without an operation (a selection; the
    // list rows the walkthrough picks) is what the next one works on; after each step and while each box is up, every
    // widget shows its control's state.
    void stateAndEditsMeet()
    {
        QVERIFY(Start("  OP01  ") && F().OP_CD->text() == QLatin1String("OP01"));  // the operator code trimmed
        QCOMPARE(F().size(), QSize(1008, 692));  // fits 1024x768
        QStringList duringBoxes;
        MessageBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::No});
        answerer.OnBox = [&](QMessageBox*) { duringBoxes << Mismatch(false); };
        QCOMPARE(Mismatch(), QString());
        QTest::keyClicks(F().txt_SyoriKbn, QStringLiteral("5"));  // refused: selected for typing over
        QCOMPARE(F().txt_SyoriKbn->selectedText() + Mismatch(), QStringLiteral("5"));
        QVERIFY(QTest::qWaitForWindowActive(&F()));  // the operator's focus moves need the keyboard
        EnterKey("2", "0201", "SHIPNT01");
        QCOMPARE(F().lbl_JohoKbn->text(), QStringLiteral("出荷案内"));
        QCOMPARE(F().txt_Yosikisyubetu->palette().color(QPalette::Base), kFocus);
        QCOMPARE(Mismatch(), QString());
        QTest::keyClick(F().txt_Yosikisyubetu, Qt::Key_Return);
        F().txt_SintaxID->setSelection(0, 3);  // Up leaves a field only when its whole text is selected
        QTest::keyClick(F().txt_SintaxID, Qt::Key_Up);
        QCOMPARE(F().focusWidget(), F().txt_SintaxID);
        F().txt_SintaxID->selectAll();
        QTest::keyClick(F().txt_SintaxID, Qt::Key_Up);
        QCOMPARE(F().focusWidget(), F().txt_Yosikisyubetu);
        F().ComandBtn[1]->click();  // the line screen moves the key and the buttons between the frames
        QVERIFY(F().Frame[0]->isVisible() && F().Lis_Local->count() == 20);
        QCOMPARE(Mismatch(), QString());
        QTest::keyClick(F().Lis_Local, Qt::Key_Escape);  // 更新しますか: No, back to the header screen
        QVERIFY(F().Frame[0]->isHidden() && F().ComandBtn[12]->isHidden());
        QCOMPARE(Mismatch(), QString());
        QCOMPARE(answerer.Texts(), (QStringList{QStringLiteral("処理区分が登録されていません"), kAskUpdate}));
        QCOMPARE(duringBoxes, (QStringList{QString(), QString()}));
        // Below the last line a double click prepares a new line, as 項目追加 does (明細追加 enabled the group's fields).
        QVERIFY(Start());
        EnterKey("1", "0101", "NEWKEY01");
        F().ComandBtn[1]->click();
        F().ComandBtn[18]->click();
        QVERIFY(!F().txt_KomokuMei->isEnabled());
        QTest::mouseClick(F().Lis_Local->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseDClick(F().Lis_Local->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(F().txt_KomokuMei->isEnabled() && F().focusWidget() == F().txt_KomokuMei);
    }

    // Keys from the X server (after '|' more, once the form has the keyboard back from a dialog): where the focus
    // goes, the text of the field started in, the dialogs and boxes shown.
    void keysReachTheCoreOnce()
    {
        const struct { const char *name, *key[4], *keys, *focus, *text, *shown; } rows[] = {
            {"Enter checks, moves one field", {"1", "0101", "NEWKEY01", "txt_Yosikisyubetu"}, "Return", "txt_SintaxID", "11", ""},
            {"Esc steps back once", {"2", "", "", "txt_JohoKbn"}, "Escape", "txt_SyoriKbn", "", ""},
            {"F5 lists the categories once", {"2", "", "", "txt_JohoKbn"}, "F5|0 1", "txt_JohoKbn", "01", "G_GRID"},
            {"Alt, Ctrl type nothing, end no field", {"2", "", "", "txt_JohoKbn"}, "0 1 alt+x ctrl+1 0 1", "txt_BPID", "0101", ""},
            // Delete carries a character from the X server: it must not meet the digits-only filter.
            {"Delete, BackSpace edit digits", {"1", "0101", "NEWKEY01", "txt_NagasaLocal"}, "1 2 Home Delete End BackSpace 3",
             "txt_NagasaLocal", "3", ""},
        };
        for (const auto& row : rows) {
            QVERIFY(Start());
            EnterKey(row.key[0], row.key[1], row.key[2]);
            auto* start = F().findChild<FieldEdit*>(QLatin1String(row.key[3]));
            if (start->parentWidget() != &F())
                F().ComandBtn[1]->click();
            start->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), start);
            MessageBoxAnswerer answerer;
            for (const QString& part : QString::fromUtf8(row.keys).split(QLatin1Char('|'))) {
                x_.Key(part);
                QTRY_COMPARE((answerer.Dialogs() + answerer.Texts()).join(QLatin1Char(' ')), QLatin1String(row.shown));
                QTRY_VERIFY(F().isActiveWindow());
            }
            QTRY_VERIFY2(QApplication::focusWidget() == F().findChild<QWidget*>(QLatin1String(row.focus))
                             && start->text() == QLatin1String(row.text), row.name);
            QCOMPARE((answerer.Dialogs() + answerer.Texts()).join(QLatin1Char(' ')), QLatin1String(row.shown));  // no more
        }
    }

    // The prompts: the style codes of a box (icon, buttons, default button and what Esc answers; the title), and both
    // searches as the operator ends them (an empty grid offers nothing to choose).
    void promptsAreModal()
    {
        using B = QMessageBox;
        const struct { int style; B::StandardButton answer; B::Icon icon; B::StandardButtons buttons; B::StandardButton by; int result; }
            styles[] = {
                {msg::OkOnly, B::Escape, B::NoIcon, B::Ok, B::Ok, msg::Ok},
                {msg::OkCancel | msg::Exclamation, B::Escape, B::Warning, B::Ok | B::Cancel, B::Ok, msg::Cancel},
                {msg::YesNoCancel | msg::Question | msg::DefaultButton2, B::No, B::Question, B::Yes | B::No | B::Cancel, B::No, msg::No},
                {msg::YesNoCancel | msg::Critical | msg::DefaultButton3, B::Escape, B::Critical, B::Yes | B::No | B::Cancel, B::Cancel, msg::Cancel},
                {msg::YesNo | msg::Information, B::Escape, B::Information, B::Yes | B::No, B::Yes, msg::No},
                {msg::YesNo, B::Yes, B::NoIcon, B::Yes | B::No, B::Yes, msg::Yes},
            };
        for (const auto& row : styles) {
            MessageBoxAnswerer answerer({row.answer});
            const QString title = row.style == msg::YesNo ? QStringLiteral("題名") : QString();
            const int result = ShowMessage(&F(), QStringLiteral("本文"), row.style, title, QStringLiteral("注記"));
            const SeenBox box = answerer.Seen().value(0);
            const QString shownTitle = title.isEmpty() ? QStringLiteral("フォーマット情報マスタ保守") : title;
            QVERIFY2(std::tuple(result, box.icon, box.buttons, box.defaultButton, box.title, box.text + box.informative)
                         == std::tuple(row.result, row.icon, row.buttons, row.by, shownTitle, QStringLiteral("本文注記")),
                     qPrintable(QString::number(row.style)));
        }
        // Searches: keys, buttons, a double click on the third row, the focus on 選択; the outcome and row.
        const struct { const char* steps; int outcome, row; } searches[] = {
            {"Down Enter", SearchChoice::Chosen, 1}, {"dclick", SearchChoice::Chosen, 2}, {"Down SELECT", SearchChoice::Chosen, 1},
            {"Down STOP", SearchChoice::Closed, -1}, {"SELECT-focus Esc", SearchChoice::Abandoned, -1},
            // Esc in the grid abandons the code search, but only backs out of the category list (the outcome there: Closed).
            {"Esc", SearchChoice::Abandoned, -1}, {"Enter SELECT STOP", SearchChoice::Closed, -1}};
        for (const bool category : {false, true}) {
            for (const auto& row : searches) {
                const QString steps = QLatin1String(row.steps);
                MessageBoxAnswerer answerer;
                answerer.OnDialog(category ? QStringLiteral("G_GRID") : QStringLiteral("SEARCH_MSTDB"), [&](QDialog* d) {
                    auto* grid = d->findChild<QTableWidget*>();
                    for (const QString& step : steps.split(QLatin1Char(' '))) {
                        const QPoint third = grid->visualItemRect(grid->item(2, 1)).center();
                        if (step == QLatin1String("dclick")) {
                            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, third);
                            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, third);
                        } else if (step == QLatin1String("SELECT-focus")) {
                            d->findChild<QPushButton*>(QStringLiteral("SELECT"))->setFocus();
                        } else if (auto* button = d->findChild<QPushButton*>(step)) {
                            button->click();
                        } else {
                            QTest::keyClick(QApplication::focusWidget(), QKeySequence::fromString(step)[0].key());
                        }
                    }
                });
                QStringList codes{"0101", "0201", "0401"};
                if (steps.startsWith(QLatin1String("Enter")))
                    codes.clear();  // the last row's grid is empty
                QList<QStringList> pairs;
                for (const QString& code : codes)
                    pairs << QStringList{code, code};
                const SearchChoice choice = category ? ChooseCategory(&F(), codes, codes) : ChooseCode(&F(), CodeSearchKind::FormatKey, pairs);
                const int outcome = category && steps == QLatin1String("Esc") ? SearchChoice::Closed : row.outcome;
                QVERIFY2(answerer.Dialogs().size() == 1 && choice.outcome == outcome && choice.row == row.row, row.steps);
            }
        }
    }

    // Another desk (a process of its own) changes, deletes or registers the format this desk shows: this desk's write
    // is refused with the note that says why, what the other desk stored stays, the screen keeps what the operator sees.
    void anotherDeskMeanwhile()
    {
        const QString header = QStringLiteral("UPDATE FL1902フォーマット情報マスタ SET 様式識別='10' WHERE BPID='%1';\n");
        const QString lines = QStringLiteral("UPDATE FL1903レコードフォーマット情報マスタ SET 項目名称='他の端末' "
                                             "WHERE BPID='%1' AND フォーマット種別='L' AND 項目通番=1;\n");
        const QString deleted = QStringLiteral("DELETE FROM FL1902フォーマット情報マスタ WHERE BPID='%1';\n"
                                               "DELETE FROM FL1903レコードフォーマット情報マスタ WHERE BPID='%1';\n");
        const QString inserted = QStringLiteral("INSERT INTO FL1902フォーマット情報マスタ (情報区分コード,BPID,様式識別) "
                                                "VALUES ('0101','%1','10');\n");
        // The key (processing category, code, BPID), the line screen shown, the other desk's statements, this desk's button.
        const struct { const char* key[3]; bool lines; QString sql; int button; } rows[] = {
            {{"2", "0201", "SHIPNT01"}, false, header, 2}, {{"2", "0201", "SHIPNT01"}, true, lines, 16},
            {{"2", "0101", "ORDERS01"}, true, deleted, 16}, {{"1", "0101", "CONC0001"}, false, inserted, 2},
            {{"9", "0401", "INVOIC01"}, false, lines, 2},   {{"9", "0401", "INVOIC01"}, false, deleted, 2}};
        for (const auto& row : rows) {
            const QString bpid = QLatin1String(row.key[2]);
            QVERIFY(Start());
            QCOMPARE(EnterKey(row.key[0], row.key[1], row.key[2]), QStringList());
            if (row.lines)
                F().ComandBtn[1]->click();
            QVERIFY(RunOtherDesk(site_, row.sql.arg(bpid), this));
            const QStringList theirs = StoredFormat(F().Db, bpid);
            const bool deleting = row.key[0] == QLatin1String("9");
            MessageBoxAnswerer answerer({deleting ? QMessageBox::Ok : QMessageBox::Yes});
            F().ComandBtn[row.button]->click();
            QCOMPARE(answerer.Texts(), (QStringList{deleting ? QStringLiteral("削除しますか") : kAskUpdate,
                                                QStringLiteral("更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました")}));
            QCOMPARE(answerer.Seen().back().informative,
                     QStringLiteral("他の端末でこのフォーマットが変更または削除されています。キーを入力し直すと登録内容が表示されます。"));
            QCOMPARE(StoredFormat(F().Db, bpid), theirs);
            QCOMPARE(QList<bool>({F().Frame[0]->isVisible(), F().txt_BPID->text() == bpid, !QApplication::overrideCursor()}),
                     QList<bool>({row.lines, true, true}));  // and no busy cursor left
        }
    }

    // The window's close button asks first: No keeps the form and its connection (the box left every field, the
    // focused one too: the colours are the state's), Yes ends both and the event loops of the run: the last test.
    void closeButtonAsks()
    {
        QTest::keyClicks(F().txt_SyoriKbn, QStringLiteral("2"));
        for (const bool yes : {false, true}) {
            MessageBoxAnswerer answerer({yes ? QMessageBox::Yes : QMessageBox::No});
            F().close();
            QCOMPARE(answerer.Texts(), QStringList{QStringLiteral("終了してもよろしいですか")});
            QCOMPARE((QList<bool>{F().isVisible(), F().State.ExitConfirmed, F().Db.IsOpen()}), (QList<bool>{!yes, yes, !yes}));
            QVERIFY(yes || (F().focusWidget() == F().txt_JohoKbn && Mismatch().isEmpty()));
        }
    }
};

int main(int argc, char* argv[])
{
    XDisplay x;  // without it the display is empty: the application ends at once
    qputenv("DISPLAY", x.Display().toUtf8());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    TestScreen test(x);
    return QTest::qExec(&test, argc, argv);
}

#include "test_screen.moc"
