#include "app/frmWords.h"

#include "abc/listletters.h"
#include "forms/fonts.h"
#include "forms/units.h"
#include "wordpot/listgame.h"
#include "words/chosen.h"
#include "words/language.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QMessageBox>
#include <QTreeWidget>

using namespace forms;
using namespace Qt::StringLiterals;

namespace {
const FormDesign Design{
    .caption = u"Words"_s,
    .clientTwips = {7200, 6600},
    .border = BorderStyle::FixedDialog,
};
constexpr QRect ListArea = rectTw(120, 120, 6960, 4560);
constexpr QRect SummaryArea = rectTw(120, 4800, 6960, 960);
constexpr QRect OpenButton = rectTw(120, 5880, 2640, 495);
constexpr QRect OKButton = rectTw(4200, 5880, 1320, 495);
constexpr QRect CancelButton = rectTw(5760, 5880, 1320, 495);

// What an item of the list stands for: a collection's file, or a language's code for its heading.
constexpr int FileRole = Qt::UserRole;
constexpr int LanguageRole = Qt::UserRole + 1;
} // namespace

frmWords::frmWords()
    : Form(Design) {}

void frmWords::build() {
    QWidget* area = client();
    area->setFont(font(FontFace::MsSansSerif, 9.75));
    lstWords = new QTreeWidget(area);
    lstWords->setGeometry(ListArea);
    lstWords->setHeaderHidden(true);
    lstWords->setAccessibleName(u"Word lists"_s);
    lblSummary = new Label(area, SummaryArea, area->font());
    cmdOpen = new CommandButton(area, OpenButton, u"&Open a word list..."_s);
    cmdOK = new CommandButton(area, OKButton, u"OK"_s);
    cmdCancel = new CommandButton(area, CancelButton, u"Cancel"_s);
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);
    connect(lstWords, &QTreeWidget::itemChanged, this, &frmWords::itemChanged);
    connect(cmdOpen, &CommandButton::clicked, this, &frmWords::cmdOpen_Click);
    connect(cmdOK, &CommandButton::clicked, this, &frmWords::cmdOK_Click);
    connect(cmdCancel, &CommandButton::clicked, this, &frmWords::cmdCancel_Click);
}

void frmWords::Form_Load() {
    // The desktop's lists are looked at only now, when a parent asks for them.
    const words::Catalogue catalogue = words::listCollections();
    m_ticking = true;
    m_builtIn = new QTreeWidgetItem(lstWords, {u"English: Wordpot's own words"_s});
    m_builtIn->setCheckState(0, Qt::Checked);
    for (const words::Language& language : catalogue.languages) {
        QTreeWidgetItem* heading = languageItem(language.code);
        QHash<QString, int> titles;
        for (const words::Listed& listed : language.collections)
            ++titles[listed.title];
        // Two lists of one title are told apart by their files' names.
        for (const words::Listed& listed : language.collections)
            addCollection(heading, listed.file,
                          titles[listed.title] > 1
                              ? u"%1 (%2)"_s.arg(listed.title, QFileInfo(listed.file).fileName())
                              : listed.title);
    }
    m_ticking = false;
    const words::Choice chosen = words::currentChoice();
    for (const QString& file : chosen.files) {
        if (itemOf(file) == nullptr) // a file of the parent's own, opened before
            addCollection(languageItem(chosen.language), file, QDir::toNativeSeparators(file));
        tick(file);
    }
    if (QTreeWidgetItem* ticked = itemOf(chosen.files.value(0)))
        lstWords->scrollToItem(ticked);
    else if (QTreeWidgetItem* first = lstWords->topLevelItem(1))
        first->setExpanded(true); // the desktop's own language
    lstWords->setFocus();
    summarise();
}

QTreeWidgetItem* frmWords::languageItem(const QString& code) {
    for (int i = 1; i < lstWords->topLevelItemCount(); ++i) {
        if (lstWords->topLevelItem(i)->data(0, LanguageRole).toString() == code)
            return lstWords->topLevelItem(i);
    }
    auto* heading = new QTreeWidgetItem(lstWords, {words::languageName(code)});
    heading->setData(0, LanguageRole, code);
    heading->setFlags(Qt::ItemIsEnabled);
    QFont bold = heading->font(0);
    bold.setBold(true);
    heading->setFont(0, bold);
    return heading;
}

QTreeWidgetItem* frmWords::addCollection(QTreeWidgetItem* language, const QString& file,
                                         const QString& title) {
    const bool ticking = std::exchange(m_ticking, true);
    auto* item = new QTreeWidgetItem(language, {title});
    item->setData(0, FileRole, file);
    item->setToolTip(0, QDir::toNativeSeparators(file));
    item->setCheckState(0, Qt::Unchecked);
    m_ticking = ticking;
    return item;
}

words::Choice frmWords::choice() const {
    words::Choice choice;
    for (int i = 1; i < lstWords->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* heading = lstWords->topLevelItem(i);
        for (int j = 0; j < heading->childCount(); ++j) {
            if (heading->child(j)->checkState(0) == Qt::Checked) {
                choice.language = heading->data(0, LanguageRole).toString();
                choice.files.append(heading->child(j)->data(0, FileRole).toString());
            }
        }
    }
    return choice;
}

QTreeWidgetItem* frmWords::itemOf(const QString& file) const {
    for (int i = 1; i < lstWords->topLevelItemCount(); ++i) {
        QTreeWidgetItem* heading = lstWords->topLevelItem(i);
        for (int j = 0; j < heading->childCount(); ++j) {
            if (heading->child(j)->data(0, FileRole).toString() == file)
                return heading->child(j);
        }
    }
    return nullptr;
}

void frmWords::tick(const QString& file) {
    if (QTreeWidgetItem* item = itemOf(file)) {
        item->parent()->setExpanded(true);
        item->setCheckState(0, Qt::Checked);
    }
}

// One language at a time: ticking a collection unticks the others' and the built-in words; unticking the
// last one brings the built-in words back.
void frmWords::itemChanged(QTreeWidgetItem* item) {
    if (m_ticking)
        return;
    m_ticking = true;
    const bool ticked = item->checkState(0) == Qt::Checked;
    if (item == m_builtIn && ticked) {
        for (int i = 1; i < lstWords->topLevelItemCount(); ++i)
            for (int j = 0; j < lstWords->topLevelItem(i)->childCount(); ++j)
                lstWords->topLevelItem(i)->child(j)->setCheckState(0, Qt::Unchecked);
    } else if (item != m_builtIn && ticked) {
        m_builtIn->setCheckState(0, Qt::Unchecked);
        for (int i = 1; i < lstWords->topLevelItemCount(); ++i) {
            QTreeWidgetItem* heading = lstWords->topLevelItem(i);
            if (heading == item->parent())
                continue;
            for (int j = 0; j < heading->childCount(); ++j)
                heading->child(j)->setCheckState(0, Qt::Unchecked);
        }
    }
    m_builtIn->setCheckState(0, choice().files.isEmpty() ? Qt::Checked : Qt::Unchecked);
    m_ticking = false;
    summarise();
}

// What the games will play with: read now, so a parent sees at once a list that cannot be used. One choice
// serves every game, and each takes what it can use of it: Hangman any word, the spelling game and the
// letter explorer the words that come with a picture; a game that can use none keeps its own words.
void frmWords::summarise() {
    const words::Choice chosen = choice();
    if (chosen.files.isEmpty()) {
        lblSummary->setCaption(u"Hangman plays with its own 465 English words."_s);
        cmdOK->setEnabled(true);
        return;
    }
    QList<words::Problem> problems;
    const std::optional<words::WordList> list = words::readWords(chosen, &problems);
    if (!list) {
        lblSummary->setCaption(u"These words cannot be used: %1"_s.arg(problems.value(0).reason));
        cmdOK->setEnabled(false);
        return;
    }
    int hangman = 0;
    for (const words::Entry& entry : list->entries)
        hangman += words::hangmanProblem(list->alphabet, entry.text).isEmpty() ? 1 : 0;
    const qsizetype spelling = wordpot::spellingWords(*list).size();
    int letters = 0;
    for (const abc::ListLetter& letter : abc::listLetters(*list))
        letters += letter.entry >= 0 ? 1 : 0;
    const QString language = words::languageName(chosen.language);
    QStringList lines;
    lines << (hangman > 0
                  ? u"Hangman plays with %1 words in %2."_s.arg(hangman).arg(language)
                  : u"Hangman keeps its own words: none of these has 3 to 12 letters of its alphabet."_s);
    if (spelling > 0)
        lines << u"The spelling game plays with the %1 words that have a picture; the letter explorer shows "
                 "a picture for %2 of its letters."_s.arg(spelling)
                     .arg(letters);
    else if (letters > 0)
        lines
            << u"The letter explorer shows a picture for %1 of its letters; the spelling game keeps its own "
               "words (no word with a picture fits its board)."_s.arg(letters);
    else
        lines << u"The spelling game and the letter explorer keep their own words: none of these words comes "
                 "with a picture."_s;
    lblSummary->setCaption(lines.join(u' '));
    cmdOK->setEnabled(hangman > 0 || spelling > 0 || letters > 0);
}

void frmWords::cmdOpen_Click() {
    const QString file = m_askFile
                             ? m_askFile()
                             : QFileDialog::getOpenFileName(window(), u"Open a word list"_s, QDir::homePath(),
                                                            u"Word lists (*.kvtml)"_s);
    if (file.isEmpty())
        return;
    const words::ReadResult read = words::readCollection(file);
    if (!read.collection) {
        lblSummary->setCaption(u"This file cannot be used: %1"_s.arg(read.problems.value(0).reason));
        return;
    }
    const QString path = read.collection->file;
    if (itemOf(path) == nullptr)
        addCollection(languageItem(read.collection->language), path, read.collection->title);
    tick(path);
}

void frmWords::cmdOK_Click() {
    words::choose(choice());
    unload();
}

void frmWords::cmdCancel_Click() {
    unload();
}

void openWordLists(const QStringList& files) {
    words::Choice choice;
    QStringList refused;
    for (const QString& file : files) {
        const words::ReadResult read = words::readCollection(file);
        const QString reason = read.collection ? QString() : read.problems.value(0).toString();
        if (read.collection && (choice.language.isEmpty() || read.collection->language == choice.language)) {
            choice.language = read.collection->language;
            choice.files.append(read.collection->file);
        } else {
            refused.append(reason.isEmpty()
                               ? u"%1: not in the language of %2"_s.arg(file, choice.files.first())
                               : reason);
        }
    }
    for (const QString& why : refused)
        qWarning("wordpot: word list left out: %s", qPrintable(why));
    if (!choice.files.isEmpty())
        words::choose(choice);
    else if (!refused.isEmpty())
        QMessageBox::warning(nullptr, u"Wordpot"_s,
                             u"Wordpot cannot play with this word list:\n%1"_s.arg(refused.join(u'\n')));
}
