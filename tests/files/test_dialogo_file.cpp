// The Qt file dialog as the menu handlers rely on it, driven offscreen.
#include "DialogoFile.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

using namespace corsa;

namespace {

// Once the dialog is up, types `nome` and saves, or cancels when it is empty.
void Rispondi(const QString& nome)
{
    auto* t = new QTimer;
    QObject::connect(t, &QTimer::timeout, [t, nome] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        t->deleteLater();
        t->stop();
        if (nome.isEmpty())
            return d->reject();
        d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(nome);
        static_cast<QDialog*>(d)->accept(); // as the Save button does
    });
    t->start(10);
}

TEST(DialogoFileQt, ImpostazioniEstensioneEAnnulla)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    QTemporaryDir dir;
    DialogoFileQt dialogo;
    dialogo.Flags = 2;
    dialogo.DefaultExt = "qmr";
    dialogo.FileName = dir.filePath("a.qmr");
    QFileDialog d;
    dialogo.Configura(d, true);
    EXPECT_FALSE(d.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(d.directory().absolutePath(), QDir(dir.path()).absolutePath());
    dialogo.Flags = 0;
    dialogo.Configura(d, false);
    EXPECT_TRUE(d.testOption(QFileDialog::DontConfirmOverwrite));

    Rispondi("matrice");
    ASSERT_TRUE(dialogo.ShowSave());
    EXPECT_EQ(dialogo.FileName, dir.filePath("matrice.qmr"));
    Rispondi("altra.txt");
    ASSERT_TRUE(dialogo.ShowSave());
    EXPECT_EQ(dialogo.FileName, dir.filePath("altra.txt"));

    Rispondi({});
    EXPECT_FALSE(dialogo.ShowOpen());
    EXPECT_EQ(dialogo.FileName, dir.filePath("altra.txt"));
    dialogo.CancelError = false;
    Rispondi({});
    EXPECT_TRUE(dialogo.ShowOpen());
    EXPECT_TRUE(dialogo.FileName.isEmpty());
}

} // namespace
