// The live logging window as the operator uses it: real keys to the focused field, whole QSOs, the
// focus and the labels on the way, and the log database at the end; keying on a fake serial port.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "db/sqlite_database.h"
#include "keyer/fake_rig_client.h"
#include "keyer/fake_serial_port.h"
#include "keyer/keyer_settings.h"
#include "keyer/virtual_timer_service.h"
#include "live/form1_live_window.h"
#include "live/live_folder.h"
#include "live/select_port_dialog.h"
#include "support/scripted_prompts.h"
#include "support/test_databases.h"

namespace {

class ScriptedPortPrompt : public PortPrompt {
 public:
  ScriptedPortPrompt() { PortPrompt::Install(this); }
  ~ScriptedPortPrompt() override { PortPrompt::Install(nullptr); }
  std::optional<int> ChoosePort(QWidget*, const std::string& why,
                                const std::vector<SerialPortInfo>&, int currentPort) override {
    reasons.push_back(why);
    asked.push_back(currentPort);
    return answer;
  }
  std::optional<int> answer;
  std::vector<std::string> reasons;
  std::vector<int> asked;
};

// A working folder with the KTD stations still to be worked, and the live window on a fake port.
struct LiveWindow : LiveFolder {
  // virtualKeyer: the keyer runs on the test's virtual time (Play advances it).
  explicit LiveWindow(int availablePorts = 20, bool virtualKeyer = false)
      : LiveFolder("HB9OWN/P", {2024, 7, 21, 7, 12, 0}) {
    TSQLiteDatabase db(ctx.logDbFile);
    for (const char* table : {"stns1", "stns2", "stns1ssb", "stns2ssb"}) {
      db.ExecSQL(std::string("INSERT INTO ") + table +
                 " VALUES ('HB9XYZ/P', 'HB9XYZ', 'Anna'), ('HE3XYZ/P', 'HE3XYZ', '')");
    }
    db.ExecSQL("INSERT INTO ptxt VALUES ('HB9XYZ/P', 'HB9XYZ', 'PERSOENLICHER GRUSS')");
    db.ExecSQL("INSERT INTO txt VALUES ('ALLGEMEINER TEXT FUER ALLE')");
    auto fake = std::make_unique<FakeSerialPort>(portClock, availablePorts);
    port = fake.get();
    auto fakeRig = std::make_unique<FakeRigClient>();
    rig = fakeRig.get();
    if (virtualKeyer) {
      form = std::make_unique<TForm1>(
          ctx, std::move(fake), &portClock,
          [this](std::uint64_t, int maxMs) { portClock.AdvanceMs(maxMs); }, std::move(fakeRig));
    } else {
      form = std::make_unique<TForm1>(ctx, std::move(fake), nullptr,
                                      LiveEntryModel::WaitForMessageStop{}, std::move(fakeRig));
    }
  }

  // Lets the keyer play for `ms` of virtual time, then the window takes the reported ends.
  void Play(int ms = 60000) {
    portClock.AdvanceMs(ms);
    QCoreApplication::processEvents();
  }

  void Show() {
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }

  // Keys go to whichever widget has the focus, as the operator's typing does.
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  static void Type(const QString& text) {
    for (const QChar c : text) {
      if (c == ' ') {
        Key(Qt::Key_Space);
      } else {
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
      }
    }
  }

  QString FocusName() const {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QString();
  }
  template <typename T>
  T* Find(const char* name) const {
    return form->findChild<T*>(name);
  }
  QString Text(const char* name) const { return Find<QLineEdit>(name)->text(); }
  QString Label(const char* name) const { return Find<QLabel>(name)->text(); }
  bool Shown(const char* name) const { return Find<QWidget>(name)->isVisible(); }

  std::vector<std::string> Log() const { return LogRows(); }

  VirtualTimerService portClock;
  FakeSerialPort* port = nullptr;
  FakeRigClient* rig = nullptr;  // rigctld, as the window's rig keyer reaches it
  std::unique_ptr<TForm1> form;
};

}  // namespace

class LiveWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ktdStationBySuffixWithPersonalText();
  void homeAndForeignStations();
  void escapeMidQsoRecordsNothing();
  void modeSwitchByCtrlMAndByTheBox();
  void keyingOnAFakePortAndAFailingPort();
  void keyerSettingsSavedAtCloseAndLoadedAtShow();
  void wholeCqQsoKeysTheMessagesInOrder();
  void autoCqAndWatchdogOnTheWindowTimers();
  void keyingThroughRigctldRefusedOnAndLost();
};

void LiveWindowTest::ktdStationBySuffixWithPersonalText() {
  LiveWindow w;
  w.Show();
  QCOMPARE(w.form->windowTitle(), QString("VORLAX KTD-Log: KTD live loggen - HB9OWN/P"));
  QCOMPARE(w.FocusName(), QString("EditCallsign"));
  QCOMPARE(w.Find<QListWidget>("ListBox1")->count(), 2);

  w.Type("xyz");
  QCOMPARE(w.Text("EditCallsign"), QString("XYZ"));
  QCOMPARE(w.Label("Label25"), QString("KTD-Station kopieren : [Space]"));
  w.Key(Qt::Key_Tab);  // Tab never leaves the callsign field
  QCOMPARE(w.FocusName(), QString("EditCallsign"));
  w.Type(" ");
  QCOMPARE(w.Text("EditCallsign"), QString("HB9XYZ/P"));
  w.Type(" ");
  QCOMPARE(w.FocusName(), QString("EditRSTsent"));
  QVERIFY(w.Shown("LabelUTC"));
  QVERIFY(!w.Shown("LabelUTC2"));
  QCOMPARE(w.Label("LabelUTC"), QString("0712"));
  QCOMPARE(w.Label("LabelVorname"), QString("Anna"));
  QCOMPARE(w.Text("EditTextsent"), QString("PERSOENLICHER GRUSS"));
  QCOMPARE(w.Label("LabelLaengeSent"), QString("18"));
  w.Type("7 ");  // typing replaces the selected 599
  QCOMPARE(w.Text("EditRSTsent"), QString("579"));
  QCOMPARE(w.FocusName(), QString("EditRSTrcvd"));
  w.Type(" ");
  QCOMPARE(w.FocusName(), QString("EditTextrcvd"));
  QCOMPARE(w.Label("Label26"), QString("Loggen : [Space][Space][Space] od. [Enter]"));
  w.Type("Rote Rosen;   ");
  QCOMPARE(w.FocusName(), QString("EditCallsign"));
  QCOMPARE(w.Log(), (std::vector<std::string>{
                        "0712|HB9XYZ/P|579|PERSOENLICHER GRUSS|599|Rote Rosen,|0|0|1|0|0"}));
  QCOMPARE(w.Label("LabelScore"), QString("4"));
  QCOMPARE(w.Find<QTableView>("StringGrid1")->model()->index(0, 2).data().toString(),
           QString("HB9XYZ/P"));
  QCOMPARE(w.Find<QListWidget>("ListBox1")->count(), 1);  // worked in this half and mode
  QVERIFY(w.Shown("LabelUTC2"));
}

void LiveWindowTest::homeAndForeignStations() {
  LiveWindow w;
  w.Show();
  w.Type("hb9abc");
  w.Key(Qt::Key_Return);  // a home station as typed
  QCOMPARE(w.FocusName(), QString("EditRSTsent"));
  QVERIFY(!w.Find<QLineEdit>("EditTextsent")->isEnabled());
  w.Key(Qt::Key_Return);
  QCOMPARE(w.Label("Label26"), QString("Loggen : [Space] oder [Enter]"));
  w.Type("5");
  w.Key(Qt::Key_Return);
  w.Type("f5xyz ");
  w.Type("  ");
  QCOMPARE(w.FocusName(), QString("EditCallsign"));
  QCOMPARE(w.Log(), (std::vector<std::string>{"0712|HB9ABC|599||559||0|0|0|1|0",
                                              "0712|F5XYZ|599||599||0|0|0|0|1"}));
  // The second QSO is added below the first, selected, and counted on.
  const auto* grid = w.Find<QTableView>("StringGrid1");
  QCOMPARE(grid->model()->rowCount(), 2);
  QCOMPARE(grid->model()->index(1, 2).data().toString(), QString("F5XYZ"));
  QCOMPARE(grid->currentIndex().row(), 1);
  QCOMPARE(w.Label("LabelScore"), QString("2"));
  w.Type("f5xyz ");
  QCOMPARE(w.Label("LabelDUPEorAGN"), QString("DUPE"));
  QVERIFY(w.Shown("LabelDUPEorAGN"));
}

void LiveWindowTest::escapeMidQsoRecordsNothing() {
  LiveWindow w;
  w.Show();
  w.Type("xyz  7");
  QCOMPARE(w.FocusName(), QString("EditRSTsent"));
  w.Key(Qt::Key_Escape);
  QVERIFY(w.form->isVisible());  // Esc never closes the window
  QCOMPARE(w.FocusName(), QString("EditCallsign"));
  QCOMPARE(w.Text("EditCallsign"), QString());
  QCOMPARE(w.Text("EditRSTsent"), QString("599"));
  QVERIFY(!w.Shown("LabelVorname"));
  QVERIFY(w.Log().empty());
}

void LiveWindowTest::modeSwitchByCtrlMAndByTheBox() {
  LiveWindow w;
  w.Show();
  w.Key(Qt::Key_M, Qt::ControlModifier);
  QVERIFY(w.Find<QCheckBox>("CheckBoxSSB")->isChecked());
  QCOMPARE(w.Text("EditRSTsent"), QString("59"));
  QVERIFY(!w.Shown("GroupBoxKeyer"));
  QCOMPARE(w.FocusName(), QString("EditCallsign"));
  w.Type("xyz  ");
  QCOMPARE(w.Text("EditCallsign"), QString("HB9XYZ/P"));
  w.Type("5 ");
  w.Key(Qt::Key_Return);
  QCOMPARE(w.FocusName(), QString("EditTextrcvd"));
  w.Key(Qt::Key_Return);
  QCOMPARE(w.Log(),
           (std::vector<std::string>{"0712|HB9XYZ/P|55|PERSOENLICHER GRUSS|59||0|1|1|0|0"}));

  auto* ssb = w.Find<QCheckBox>("CheckBoxSSB");
  QTest::mouseClick(ssb, Qt::LeftButton, {}, QPoint(6, ssb->height() / 2));
  QVERIFY(!ssb->isChecked());
  QCOMPARE(w.Text("EditRSTrcvd"), QString("599"));
  QCOMPARE(w.FocusName(), QString("EditCallsign"));       // the click gives the focus back
  QCOMPARE(w.Find<QListWidget>("ListBox1")->count(), 2);  // the CW list
}

void LiveWindowTest::keyingOnAFakePortAndAFailingPort() {
  ScriptedPortPrompt prompt;
  LiveWindow w(2);
  w.Show();
  w.Key(Qt::Key_F6);
  QVERIFY(w.port->IsOpen());
  QVERIFY(w.Shown("LabelAchtung"));
  QVERIFY(w.Shown("ButtonMyCall"));
  QVERIFY(!w.Find<QComboBox>("ComboBoxCOM")->isEnabled());
  QVERIFY(w.port->ControlLineOn(ControlLine::Rts));  // a fresh log: DTR keys, RTS held on
  auto* rts = w.Find<QCheckBox>("CheckBoxRTS");
  QTest::mouseClick(rts, Qt::LeftButton, {}, QPoint(6, rts->height() / 2));
  QVERIFY(!w.port->ControlLineOn(ControlLine::Rts));
  QVERIFY(w.port->ControlLineOn(ControlLine::Dtr));
  QCOMPARE(w.FocusName(), QString("EditCallsign"));
  w.Key(Qt::Key_F6);
  QVERIFY(!w.Shown("ButtonMyCall"));

  auto* com = w.Find<QComboBox>("ComboBoxCOM");
  com->setCurrentIndex(4);
  emit com->activated(4);  // port 5: not there
  prompt.answer = 2;
  w.Key(Qt::Key_F6);
  QCOMPARE(prompt.asked, std::vector<int>{5});
  QVERIFY(w.port->IsOpen());
  QCOMPARE(w.port->PortNumber(), 2);
  QCOMPARE(com->currentText(), QString("2"));
  w.Key(Qt::Key_F6);
  com->setCurrentIndex(6);
  emit com->activated(6);
  prompt.answer.reset();  // Cancel
  w.Key(Qt::Key_F6);
  QVERIFY(!w.port->IsOpen());
  QVERIFY(!w.Find<QCheckBox>("CheckBoxTastung")->isChecked());
  QVERIFY(!w.port->ControlLineOn(ControlLine::Rts) && !w.port->ControlLineOn(ControlLine::Dtr));
}

void LiveWindowTest::keyerSettingsSavedAtCloseAndLoadedAtShow() {
  LiveWindow w;
  w.Show();
  auto* reverse = w.Find<QCheckBox>("CheckBoxreverse");
  QTest::mouseClick(reverse, Qt::LeftButton, {}, QPoint(6, reverse->height() / 2));
  auto* speed = w.Find<QLineEdit>("EditWpM");
  QTest::mouseClick(speed, Qt::LeftButton);
  QCOMPARE(w.FocusName(), QString("EditWpM"));
  w.Key(Qt::Key_Backspace);
  w.Type("45");
  w.Key(Qt::Key_Return);
  QCOMPARE(speed->text(), QString("40"));
  w.Key(Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier);
  QCOMPARE(speed->text(), QString("39"));
  w.Key(Qt::Key_F6);
  w.form->close();
  const KeyerSettings saved = *LoadKeyerSettings(w.ctx.logDbFile);
  QVERIFY(saved.reversed);
  QCOMPARE(saved.wpm, 39);

  w.Show();
  QVERIFY(reverse->isChecked());
  QCOMPARE(speed->text(), QString("39"));
  QVERIFY(!w.Find<QCheckBox>("CheckBoxTastung")->isChecked());
  QVERIFY(!w.port->IsOpen());
}

void LiveWindowTest::wholeCqQsoKeysTheMessagesInOrder() {
  LiveWindow w(20, true);
  w.Show();
  w.Key(Qt::Key_F8);  // Farnsworth off (a fresh log has it on)
  w.Key(Qt::Key_F6);
  QVERIFY(w.port->IsOpen());
  std::vector<QString> shown;
  const auto step = [&](const QString& keys, bool enter = false) {
    w.Type(keys);
    if (enter) w.Key(Qt::Key_Return);
    shown.push_back(w.Label("LabelMSG"));
    // While a message runs the mode cannot change (after the closing message the entry is
    // reset at once, which frees the box again).
    if (!enter) QVERIFY(!w.Find<QCheckBox>("CheckBoxSSB")->isEnabled());
    w.Play();
  };
  step(" ");
  QCOMPARE(w.Label("LabelMSG"), QString("Modus : CQ"));
  w.Type("xyz  ");
  QCOMPARE(w.FocusName(), QString("EditRSTsent"));
  step(" ");
  QCOMPARE(w.Text("EditMSG"), QString("PERSOENLICHER GRUSS"));
  w.Type(" ");
  step("rote rosen", true);
  QCOMPARE(shown,
           (std::vector<QString>{"Test de HB9OWN/P", "HB9XYZ/P gm Anna 599 PERSOENLICHER GRUSS +",
                                 "QSL 73 gl de HB9OWN/P test"}));
  QVERIFY(w.port->EdgesOf(ControlLine::Dtr).size() > 100);
  QCOMPARE(
      w.Log(),
      (std::vector<std::string>{"0712|HB9XYZ/P|599|PERSOENLICHER GRUSS|599|rote rosen|0|0|1|0|0"}));
  QCOMPARE(w.FocusName(), QString("EditCallsign"));
}

void LiveWindowTest::autoCqAndWatchdogOnTheWindowTimers() {
  LiveWindow w(20, true);
  w.Show();
  w.Key(Qt::Key_F6);
  w.Key(Qt::Key_F9);  // Auto-CQ: the CQ starts at once
  QCOMPARE(w.Label("LabelMSG"), QString("Test de HB9OWN/P"));
  w.Play();
  auto* timer2 = w.Find<QTimer>("Timer2");
  QVERIFY(timer2->isActive());
  QCOMPARE(timer2->interval(), 2000);
  QVERIFY(w.form->FireTimer("Timer2"));
  QCOMPARE(w.Label("LabelMSG"), QString("Test de HB9OWN/P"));  // repeated
  w.Play();
  w.Type("d");  // a key in the callsign field ends the repetition at the next tick
  w.Key(Qt::Key_Escape);
  QVERIFY(w.form->FireTimer("Timer2"));
  QVERIFY(!timer2->isActive());
  QCOMPARE(w.Label("LabelMSG"), QString("Modus : CQ"));
  auto* watchDog = w.Find<QTimer>("TimerWatchDog");
  QVERIFY(watchDog->isActive());
  QCOMPARE(watchDog->interval(), 30000);
  QVERIFY(w.form->FireTimer("TimerWatchDog"));
  QCOMPARE(w.Label("LabelMSG"), QString("Modus : S+P"));
  QVERIFY(!w.Find<QCheckBox>("CheckBoxCQ")->isChecked());
}

void LiveWindowTest::keyingThroughRigctldRefusedOnAndLost() {
  using Call = FakeRigClient::Call;
  ScriptedPrompts prompts;
  LiveWindow w;
  w.Show();
  auto* viaRigctld = w.Find<QCheckBox>("CheckBoxRigctld");
  QCOMPARE(viaRigctld->text(), QString::fromUtf8("über rigctld"));
  QCOMPARE(w.Find<QCheckBox>("CheckBoxRigMode")->text(),
           QString::fromUtf8("Betriebsart vom Funkgerät"));
  QCOMPARE(w.Text("EditRigAddress"), QString("localhost:4532"));

  w.rig->Answer(Call::Open, RigReply::Failed("localhost:4532: Connection refused"));
  QTest::mouseClick(viaRigctld, Qt::LeftButton, {}, QPoint(6, viaRigctld->height() / 2));
  QCOMPARE(w.FocusName(), QString("EditCallsign"));
  w.Key(Qt::Key_F6);
  QTRY_COMPARE(prompts.errors.size(), 1);
  QVERIFY(prompts.errors[0].contains("localhost:4532: Connection refused"));
  QVERIFY(!w.Find<QCheckBox>("CheckBoxTastung")->isChecked());

  w.rig->Answer(Call::Open, RigReply::Ok());
  w.Key(Qt::Key_F6);
  QTRY_VERIFY(w.Shown("LabelMSG"));
  QVERIFY(!w.port->IsOpen());

  w.rig->Answer(Call::Send, RigReply::Failed("rigctld: Verbindung beendet"));
  w.Key(Qt::Key_Space);  // the CQ is not taken: the connection is lost
  QTRY_COMPARE(w.Label("LabelAchtung"), QString("Tastung aus: rigctld antwortet nicht"));
  QVERIFY(w.Shown("LabelAchtung"));
  QVERIFY(!w.Shown("LabelMSG"));
  QVERIFY(!w.Find<QCheckBox>("CheckBoxTastung")->isChecked());
  QCOMPARE(prompts.errors.size(), 1);  // the label tells, no box
  QCOMPARE(w.FocusName(), QString("EditCallsign"));
}

QTEST_MAIN(LiveWindowTest)
#include "tst_live_window.moc"
