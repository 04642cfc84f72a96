#include "kit/DMessages.h"

#include "lang/DRegistry.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>

namespace
{
DMessages::ErrorBox& errorBox()
{
    static DMessages::ErrorBox box;
    return box;
}

DMessages::QuestionBox& questionBox()
{
    static DMessages::QuestionBox box;
    return box;
}

DMessages::ChoiceBox& choiceBox()
{
    static DMessages::ChoiceBox box;
    return box;
}

// A box's text often carries what a file or a form held (a name, a path, a
// cell): a subject named "<b>x" must read as written, never as markup. None
// of the program's own texts is markup either.
void AsPlainText(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
}
} // namespace

void DMessages::SetErrorBox(ErrorBox box)
{
    errorBox() = std::move(box);
}

void DMessages::SetQuestionBox(QuestionBox box)
{
    questionBox() = std::move(box);
}

void DMessages::SetChoiceBox(ChoiceBox box)
{
    choiceBox() = std::move(box);
}

void DMessages::ShowErr(const DLanguage& language, const QString& text)
{
    const QString title = language.GetStr(50000);
    if (errorBox())
    {
        errorBox()(title, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
    AsPlainText(box);
    box.exec();
}

QMessageBox::StandardButton DMessages::ShowQuestion(const DLanguage& language, int id)
{
    return ShowQuestion(language, language.GetStr(id));
}

bool DMessages::Confirm(const DLanguage& language, const QString& question)
{
    return question.isEmpty() || ShowQuestion(language, question) == QMessageBox::Yes;
}

QMessageBox::StandardButton DMessages::ShowQuestion(const DLanguage& language, const QString& text)
{
    const QString title = language.GetStr(40000);
    QMessageBox::StandardButton answer;
    if (questionBox())
        answer = questionBox()(title, text);
    else
    {
        QMessageBox box(QMessageBox::Information, title, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        AsPlainText(box);
        box.setEscapeButton(QMessageBox::Cancel);
        answer = static_cast<QMessageBox::StandardButton>(box.exec());
    }
    if (answer != QMessageBox::Yes && answer != QMessageBox::No)
        answer = QMessageBox::Cancel;
    return answer;
}

int DMessages::ShowChoice(const DLanguage& language, const QString& text, const QList<int>& buttons)
{
    const QString title = language.GetStr(40000);
    QStringList labels;
    for (int id : buttons)
        labels << language.GetStr(id);
    const int last = int(labels.size()) - 1;
    int answer = last;
    if (choiceBox())
        answer = choiceBox()(title, text, labels);
    else
    {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::NoButton);
        AsPlainText(box);
        QList<QAbstractButton*> pressed;
        for (int i = 0; i <= last; ++i)
            pressed << box.addButton(labels[i], i == last ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
        if (last >= 0)
        {
            box.setDefaultButton(static_cast<QPushButton*>(pressed[last]));
            box.setEscapeButton(pressed[last]);
        }
        box.exec();
        answer = int(pressed.indexOf(box.clickedButton()));
    }
    return answer >= 0 && answer <= last ? answer : last;
}

void DMessages::ToListBox(const DLanguage& language, QListWidget* list)
{
    list->clear();
    list->addItems(DLanguage::Names());
    const int current = language.GetLanguage();
    if (current >= 0 && current < list->count())
        list->setCurrentRow(current);
    else
        list->setCurrentRow(-1);
}

void DMessages::FromListBox(DLanguage& language, const QListWidget* list)
{
    if (list->currentRow() >= 0)
        language.SetLanguage(list->currentRow());
}

void DMessages::ReportRegistryInBoxes()
{
    DRegistry::SetDefaultReporter(
        [](const QString& text)
        {
            if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            {
                QMessageBox box(QMessageBox::Critical, QStringLiteral("ERROR"), text, QMessageBox::Ok);
                AsPlainText(box);
                box.exec();
            }
            else
                qWarning("%s", qPrintable(text));
        });
}

DMessages::RealBoxesOnExit::~RealBoxesOnExit()
{
    SetErrorBox({});
    SetQuestionBox({});
    SetChoiceBox({});
}
