#pragma once

#include "calendar/datefoldproperties.h"

#include <QDialog>

class Datefold;
class QTabWidget;

// The property pages of the calendar: "全般" (formats and switches), "色"
// (colours) and "フォント" (fonts).  OK and 適用 write the pages to the control.
class DatefoldPropertyPages : public QDialog
{
    Q_OBJECT
public:
    DatefoldPropertyPages(Datefold *control, QWidget *parent = nullptr);

    QTabWidget *tabs() const { return m_tabs; }
    // The values the pages hold now.
    calendar::DatefoldProperties edited() const { return m_edit; }
    bool onlyThisMonth() const { return m_onlyThisMonth; }

public slots:
    void apply();

private:
    QWidget *generalPage();
    QWidget *colorPage();
    QWidget *fontPage();

    Datefold *m_control;
    calendar::DatefoldProperties m_edit;
    bool m_onlyThisMonth = false;
    QTabWidget *m_tabs;
};
