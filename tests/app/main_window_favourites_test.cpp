#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "core/player_session.h"
#include "dialogs/ui/add_favourite_dialog.h"
#include "fake_engine.h"
#include "queue_host.h"
#include "support/temp_dir.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace velk::app {
namespace {

using velk::test::TempDir;

struct MainWindowFavourites : ::testing::Test {
    TempDir dir;
    test::FakeEngine engine;
    QueueHost host;
    std::unique_ptr<PlayerSession> session;
    std::unique_ptr<CMainWindow> window;
    QComboBox* combo = nullptr;

    void SetUp() override {
        SessionOptions options;
        options.profileFolder = dir.file("profile");
        session = std::make_unique<PlayerSession>(engine, host, options);
        window = std::make_unique<CMainWindow>(*session, StartOptions{});
        window->Start();
        combo = window->findChild<QComboBox*>(ids::ControlObjectName(ids::kFavouritesCombo));
    }
    void TearDown() override { window->close(); }

    // Presses "新規..." and answers the add-favourite dialog with `name`, and every message box
    // that follows with Yes or OK; the texts of those boxes.
    QStringList AddFavourite(const QString& name) {
        QStringList messages;
        bool named = false;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal);
                box && !messages.contains(box->text())) {
                messages << box->text();
                QAbstractButton* yes = box->button(QMessageBox::Yes);
                // Later, so that this timer can answer the box the click may bring.
                QTimer::singleShot(0, yes ? yes : box->button(QMessageBox::Ok),
                                   &QAbstractButton::click);
            } else if (auto* dialog = qobject_cast<AddFavouriteDialog*>(modal); dialog && !named) {
                named = true;
                dialog->findChild<QLineEdit*>()->setText(name);
                QTimer::singleShot(0, dialog, &QDialog::accept);
            }
        });
        answer.start(5);
        window->findChild<QPushButton*>(ids::ControlObjectName(ids::kNewFavourite))->click();
        return messages;
    }
};

TEST_F(MainWindowFavourites, NewFavouritesJoinTheComboAndItSwitchesBetweenThem) {
    ASSERT_EQ(combo->count(), 1);
    session->AddLines({"/a.mp3", "/b.mp3"});
    EXPECT_TRUE(AddFavourite("rock").isEmpty());
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentText(), "rock");
    EXPECT_EQ(session->MainList().Count(), 0);
    // Its file exists: overwriting is confirmed, then the name is found taken.
    EXPECT_EQ(AddFavourite(QString::fromUtf8("ノーマル")).value(1),
              QString::fromUtf8("「ノーマル」は既に存在します。"));
    EXPECT_EQ(combo->count(), 2);

    combo->activated(0);
    EXPECT_EQ(session->CurrentFavourite(), 0);
    EXPECT_EQ(session->MainList().Count(), 2);
    EXPECT_TRUE(combo->isEnabled());
}

}  // namespace
}  // namespace velk::app
