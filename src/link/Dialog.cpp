#include "Dialog.h"

#include "Caratteri.h"
#include "ProgressBar.h"
#include "Twips.h"

#include <QLabel>

namespace corsa {

Dialog::Dialog(QWidget* genitore)
    : QWidget(genitore, Qt::Tool | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Dialog"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setGeometry(RettangoloTwips(3780, 4290, 4455, 1065));
    setFixedSize(size());

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(RettangoloTwips(240, 120, 3975, 375));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(Arial(12, true));
    Label1->setTextFormat(Qt::PlainText);

    ProgressBar1 = new ProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(RettangoloTwips(120, 600, 4215, 375));
    ProgressBar1->setMin(0);
    ProgressBar1->setMax(200);
}

} // namespace corsa
