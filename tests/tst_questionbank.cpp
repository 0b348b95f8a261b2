// The question bank: its shape, its lookups, the matching rule and the texts whose oddities
// are easy to "fix" by accident.
#include "content/questionbank.h"
#include "tests/support/acceptedanswers.h"
#include "tests/support/prizeladder.h"

#include <QTest>

#include <string>

using namespace content;

namespace {
QString q(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}
} // namespace

class TestQuestionBank : public QObject
{
    Q_OBJECT
private slots:
    void shape()
    {
        QCOMPARE(questions().size(), std::size_t(15));
        for (int n = 1; n <= 15; ++n) {
            const Question *row = questionRow(n);
            QVERIFY(row);
            QCOMPARE(row->number, n);
            QCOMPARE(q(row->winningPicture), QStringLiteral("Image%1").arg(n));
            QCOMPARE(q(row->winningTag), QString(QChar(u'a' + n - 1)));
            QVERIFY2(q(row->question).startsWith(QStringLiteral("%1.").arg(n)),
                     row->question.data());
            QVERIFY(!row->acceptedAnswers().empty());
            QCOMPARE(row->winningsCaption.has_value(), n != 15);
        }
    }

    void everyTextIsSingleLineAscii()
    {
        for (const Question &row : questions()) {
            std::string all{row.question};
            for (std::string_view a : row.acceptedAnswers())
                all += a;
            all += row.phoneHint;
            all += row.choicesHint;
            all += row.audienceHint;
            all += row.winningsCaption.value_or("");
            for (char c : all)
                QVERIFY2(c >= 0x20 && c < 0x7f, row.question.data());
        }
    }

    void rowOutOfRange_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("zero") << 0;
        QTest::newRow("sixteen") << 16;
        QTest::newRow("negative") << -1;
    }
    void rowOutOfRange()
    {
        QFETCH(int, n);
        QVERIFY(!questionRow(n));
    }

    void tagLookup_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("question"); // 0: none
        QTest::newRow("a") << "a" << 1;
        QTest::newRow("h") << "h" << 8;
        QTest::newRow("i") << "i" << 9;
        QTest::newRow("k") << "k" << 11;
        QTest::newRow("o") << "o" << 15;
        QTest::newRow("upper case") << "A" << 0;
        QTest::newRow("trailing space") << "a " << 0;
        QTest::newRow("leading space") << " a" << 0;
        QTest::newRow("two letters") << "ab" << 0;
        QTest::newRow("past the last") << "p" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void tagLookup()
    {
        QFETCH(QString, tag);
        QFETCH(int, question);
        const std::string t = tag.toStdString();
        const Question *row = questionOfTag(t);
        QCOMPARE(row ? row->number : 0, question);
    }

    void prizeLadder()
    {
        for (int n = 1; n <= 14; ++n)
            QCOMPARE(q(questionRow(n)->winningsCaption.value_or("")), ::prizeLadder[n - 1]);
    }

    void oddTexts_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        const auto row = [](int n) { return questionRow(n); };
        QTest::newRow("quotes in question 2")
            << q(row(2)->question) << "2.Who is the main character in \"The Hobbit\"?";
        QTest::newRow("orTuesday")
            << q(row(15)->question)
            << "15.What day was this program started?(Put in Sunday or Monday orTuesday etc.)";
        QTest::newRow("question 10")
            << q(row(10)->question)
            << "10.What school does Vorel S. Brask go to?(Put in the full name.)";
        QTest::newRow("Excaliber")
            << q(row(5)->choicesHint)
            << "There are three choices. The choices are Excaliber,The Holy Grail, and Camelot.";
        QTest::newRow("3and 4") << q(row(8)->choicesHint)
                                << "There are four choices. The choices are 11,2,3and 4.";
        QTest::newRow("trailing space of 15's choices")
            << q(row(15)->choicesHint)
            << "There are four choices. The choices are Sunday,Tuesday,Thursday, and Saturday. ";
        QTest::newRow("4's choices, no full stop")
            << q(row(4)->choicesHint)
            << "There are three choices. The choices are Microsoft Visual C++,Java. and "
               "Microsoft Visual Basic 6.0";
        QTest::newRow("4's audience, no full stop")
            << q(row(4)->audienceHint)
            << "The audience thinks the answer is Microsoft Visual Basic 6.0";
        QTest::newRow("6's audience names Bird")
            << q(row(6)->audienceHint) << "The audience thinks the answer is Bird.";
        QTest::newRow("10's choices")
            << q(row(10)->choicesHint)
            << "There are four choices. The choices are Vantry Middle School,Quorrel Middle "
               "School,Dessick Middle School, and Lomberly Middle School.";
        QTest::newRow("1's phone")
            << q(row(1)->phoneHint) << "I think the answer is Orvan Quillam. I'm 90% sure.";
        QTest::newRow("9's phone") << q(row(9)->phoneHint)
                                   << "I am tired right now. Answer the question by yourself. Bye.";
        QTest::newRow("15's phone")
            << q(row(15)->phoneHint) << "This question you answer. Good luck!";
    }
    void oddTexts()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void matching_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        // Every accepted answer exactly, and with its case flipped.
        for (int n = 1; n <= 15; ++n) {
            for (const char *answer : acceptedAnswers[std::size_t(n - 1)]) {
                if (!answer)
                    continue;
                const QString exact = QString::fromLatin1(answer);
                QString flipped = exact;
                for (QChar &c : flipped)
                    c = c.isUpper() ? c.toLower() : c.toUpper();
                QTest::addRow("%d %s", n, answer) << n << exact << true;
                if (flipped != exact)
                    QTest::addRow("%d %s, case flipped", n, answer) << n << flipped << false;
            }
        }
        QTest::newRow("3 leading zero") << 3 << "081" << false;
        QTest::newRow("3 as decimal") << 3 << "81.0" << false;
        QTest::newRow("3 trailing space") << 3 << "81 " << false;
        QTest::newRow("4 vendor only") << 4 << "Microsoft Visual Basic" << false;
        QTest::newRow("5 lower article") << 5 << "the Holy Grail" << false;
        QTest::newRow("6 shouted") << 6 << "MAN" << false;
        QTest::newRow("11 trailing zero") << 11 << "0.650" << false;
        QTest::newRow("11 percent") << 11 << "65%" << false;
        QTest::newRow("empty") << 1 << "" << false;
        QTest::newRow("another question's answer") << 2 << "Orvan Quillam" << false;
        QTest::newRow("full-width digits")
            << 3 << QString::fromUtf8("\xef\xbc\x98\xef\xbc\x91") << false;
        QTest::newRow("embedded NUL") << 3 << QString(QStringLiteral("81") + QChar(0)) << false;
    }
    void matching()
    {
        QFETCH(int, question);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        const std::u16string_view view(QStringView(typed).utf16(), std::size_t(typed.size()));
        QCOMPARE(questionRow(question)->accepts(view), accepted);
    }
};

QTEST_APPLESS_MAIN(TestQuestionBank)
#include "tst_questionbank.moc"
