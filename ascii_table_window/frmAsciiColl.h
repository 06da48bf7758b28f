// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

class QAbstractButton;
class QLabel;
class QTimer;

namespace vantrel {

class LineField;
class TextArea;

// The ASCII table: codes 1 to 255 with their characters in four columns, in
// the font the user names; a control code shows its picture, as in the
// fields. It fills a line per column per tick and rises a little as it opens.
class frmAsciiColl : public QWidget
{
    Q_OBJECT
public:
    explicit frmAsciiColl(QWidget *parent = nullptr);

    // False when the table font name named no installed font at load.
    [[nodiscard]] bool loadedFont() const { return m_loadedFont; }

public: // load, fill and rise
    void Form_Load();
    void Timer1_Timer();
    void tmrTop_Timer();

public: // font
    void cmdFont_Click();
    void txtFont_KeyDown(int &keyCode);

Q_SIGNALS:
    // A new table font name was chosen: the table is to be opened afresh.
    void fontChosen();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct Column
    {
        TextArea *field = nullptr;
        int firstCode = 0;
        int lastCode = 0;
        int nextCode = 0;
    };
    struct Elements
    {
        std::array<Column, 4> columns;
        QLabel *Label1 = nullptr;
        LineField *txtFont = nullptr;
        QAbstractButton *cmdFont = nullptr;
        QTimer *Timer1 = nullptr;
        QTimer *tmrTop = nullptr;
    };

    void createElements();
    void moveTopBy(int twips);

    Elements m_ui;
    qint16 m_riseCounter = 0;
    // Where the window's frame stands, as the window manager shows it: the
    // rise moves the frame, title bar included.
    int m_frameLeft = 0;
    int m_topTwips = 0;
    bool m_loadedFont = true;
    bool m_shownBefore = false;
};

} // namespace vantrel
