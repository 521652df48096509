// frmWords: where a parent chooses the words the games play with: Wordpot's own English words, or one or
// several collections of one language, from the desktop's word lists or a file of their own.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "words/catalogue.h"
#include "words/choice.h"

#include <functional>
#include <QPointer>

class QTreeWidget;
class QTreeWidgetItem;

// Word lists given on the command line (a file manager's "Open With") become the choice, as if a parent had
// ticked them; one that cannot be read is named in a message, and the choice stays as it was.
void openWordLists(const QStringList& files);

class frmWords final : public Form {
    Q_OBJECT
public:
    frmWords();

    void Form_Load() override;
    void cmdOpen_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    // The choice the dialog shows now.
    words::Choice choice() const;
    // Ticks one collection, by its file: the ones of any other language, and the built-in words, go.
    void tick(const QString& file);
    // Tests answer the file dialog.
    void setOpenFileForTesting(std::function<QString()> ask) { m_askFile = std::move(ask); }

    QPointer<QTreeWidget> lstWords;
    QPointer<forms::Label> lblSummary;
    QPointer<forms::CommandButton> cmdOpen;
    QPointer<forms::CommandButton> cmdOK;
    QPointer<forms::CommandButton> cmdCancel;

protected:
    void build() override;

private:
    void itemChanged(QTreeWidgetItem* item);
    void summarise();
    QTreeWidgetItem* languageItem(const QString& code);
    QTreeWidgetItem* itemOf(const QString& file) const;
    QTreeWidgetItem* addCollection(QTreeWidgetItem* language, const QString& file, const QString& title);

    QTreeWidgetItem* m_builtIn = nullptr;
    bool m_ticking = false;
    std::function<QString()> m_askFile;
};
