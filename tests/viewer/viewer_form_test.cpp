#include "core/Exceptions.h"
#include "framework/desktop/FrameworkStartup.h"
#include "framework/desktop/ProgressForm_.h"
#include "framework/toolkit/Appearance.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/ComponentGuard.h"
#include "framework/toolkit/detail/Widget.h"
#include "model/ModelTypeNames.h"
#include "platform/testing/FaultInjection.h"
#include "survey/Fields.h"
#include "survey/ParameterNames.h"
#include "survey/SurveyFile.h"
#include "testing/gui/DesktopWindows.h"
#include "testing/gui/ModalAnswer.h"
#include "testing/model/SurveyFile.h"
#include "testing/support/ScopedEnvironment.h"
#include "testing/support/TempDir.h"
#include "viewer/NumberText.h"
#include "viewer/SectionPainter.h"
#include "viewer/ViewerForm.h"
#include "viewer/ViewerStart.h"
#include "viewer/testing/SectionPaintSeam.h"

#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <gtest/gtest.h>

namespace kiv::viewer {
namespace {

using test::ClickMessageBoxButton;
using test::ModalAnswer;

// A program's start as kivview makes it, with a settings store of its own, around a main window
// that the test makes (and may make again, as a second start of the program would).
class ViewerFormTest : public ::testing::Test {
protected:
  ViewerFormTest() { NewForm(); }

  TKivViewForm& NewForm() {
    delete form.Get();
    form.Reset(new TKivViewForm(&Application()));
    KivFormList->AddForm(*form.Get(), true);
    form->Show();
    return *form.Get();
  }

  // The text of the cell as the grid shows it.
  static std::string Cell(TVirtualStringGrid& grid, int col, int row) {
    return grid.OnGetText(col, row);
  }

  // What the Open as dialog showed: its labels' texts, its list's entries and the one selected.
  struct OpenAsSeen {
    std::vector<std::string> labels;
    std::vector<std::string> entries;
    int selected = -1;
  };

  // Answers the Open as dialog: keeps what it shows in seen (when given), selects the entry of
  // that text (when given) and presses OK, or Cancel.
  static ModalAnswer::Answer AnswerOpenAs(OpenAsSeen* seen, const std::string& entry, bool ok) {
    return [=](QWidget& window) {
      auto* list = window.findChild<QListWidget*>();
      ASSERT_NE(list, nullptr) << "the modal window has no list";
      if (seen) {
        for (const QLabel* label : window.findChildren<QLabel*>())
          seen->labels.push_back(label->text().toStdString());
        for (int row = 0; row < list->count(); ++row)
          seen->entries.push_back(list->item(row)->text().toStdString());
        seen->selected =
            list->currentItem() && list->currentItem()->isSelected() ? list->currentRow() : -1;
      }
      if (!entry.empty()) {
        const QList<QListWidgetItem*> found =
            list->findItems(QString::fromStdString(entry), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << entry;
        list->setCurrentItem(found.front());
      }
      QPushButton* button = test::ChildWithText<QPushButton>(window, ok ? "OK" : "Cancel");
      ASSERT_NE(button, nullptr);
      button->click();
    };
  }

  static std::string TypeText(const TSurveyDocument* document) {
    return document ? survey::ModelTypeText(document->ModelType()) : "(no document)";
  }

  test::TempDir dir;
  test::ScopedEnvironment registryDir{"KIV_REGISTRY_DIR", dir.path()};
  TFrameworkStartup startup{Application()};
  std::string survey = test::WriteSurvey({300, 8, false}, dir / "survey.mod");
  std::string other = test::WriteSurvey({120, 5, false}, dir / "other.mod");
  // One layer-parameter block under a type code that names none: several model types fit it.
  std::string sigma = test::WriteSurvey({30, 4, false, survey::ModelTypeNamed({"Sigma"}, {}), 0},
                                        dir / "sigma.mod");
  const std::string sigmaType = "Resistivity, Sigma; no extra parameters";
  TComponentGuard<TKivViewForm> form;
};

TEST_F(ViewerFormTest, OpensASurveyIntoTheGridTheSectionAndTheSoundingView) {
  ASSERT_TRUE(form->OpenFile(survey));
  ASSERT_NE(form->Document(), nullptr);
  EXPECT_EQ(form->Document()->Count(), 300u);
  EXPECT_EQ(form->SoundingsGrid->RowCount(), 300);
  EXPECT_EQ(Cell(*form->SoundingsGrid, 0, 9), "10");
  EXPECT_EQ(Cell(*form->SoundingsGrid, 4, 9), "8");
  EXPECT_EQ(Cell(*form->SoundingsGrid, 5, 9), "line100_10.tem");
  EXPECT_EQ(form->Selected(), 0u);
  EXPECT_EQ(form->LayerGrid->RowCount(), 8);
  EXPECT_EQ(form->SoundingsGrid->ColTitle(1), "x (m)");
  EXPECT_EQ(form->SoundingsGrid->ColTitle(6), "Resistivity (Ohmm)");
  EXPECT_EQ(form->LayerGrid->ColTitle(1), "Resistivity (Ohmm)");
  EXPECT_EQ(form->Caption(), "survey.mod - kivview");
  EXPECT_EQ(form->RecentFiles->Files(), std::vector<std::string>{survey});
}

TEST_F(ViewerFormTest, AnAbortHalfWayKeepsThePreviousDocument) {
  ASSERT_TRUE(form->OpenFile(survey));
  const TSurveyDocument* before = form->Document();
  bool pressed = false;
  std::uint64_t lastRead = 0;
  form->OnOpenProgress = [&](TProgressForm& progress, std::uint64_t read, std::uint64_t total) {
    lastRead = read;
    if (pressed || read < total / 2)
      return;
    pressed = true;
    ModalAnswer yes(ClickMessageBoxButton(QMessageBox::Yes));
    progress.ButtonAbortClick(nullptr);
  };
  EXPECT_FALSE(form->OpenFile(other));
  EXPECT_TRUE(pressed);
  EXPECT_LT(lastRead, test::ReadFile(other).size());
  EXPECT_EQ(form->Document(), before);
  EXPECT_EQ(form->Document()->FileName(), survey);
  EXPECT_EQ(form->Caption(), "survey.mod - kivview");
  EXPECT_EQ(form->StatusBar->PanelText(0), "Reading cancelled");
  EXPECT_EQ(form->RecentFiles->Files(), std::vector<std::string>{survey});
}

TEST_F(ViewerFormTest, ADamagedFileShowsItsLineAndTheLibrarysFailureAndChangesNothing) {
  ASSERT_TRUE(form->OpenFile(survey));
  const TSurveyDocument* before = form->Document();
  const std::string damaged = dir / "damaged.mod";
  const std::string bytes = test::ReadFile(other);
  const std::string half = bytes.substr(0, bytes.size() / 2);
  test::WriteFile(damaged, half + "x y z\r\n");
  const auto line = std::count(half.begin(), half.end(), '\n') + 1;
  std::string library;
  try {
    TModFile(damaged, OlderLayoutModelType(test::kSurveyTypeCode));
  } catch (const std::exception& e) {
    library = e.what();
  }
  ASSERT_FALSE(library.empty());
  std::string shown;
  std::string caption;
  {
    ModalAnswer ok([&](QWidget& window) {
      caption = window.windowTitle().toStdString();
      ClickMessageBoxButton(QMessageBox::Ok, &shown)(window);
    });
    EXPECT_FALSE(form->OpenFile(damaged));
    EXPECT_TRUE(ok.Answered());
  }
  EXPECT_EQ(caption, "Error");
  EXPECT_EQ(shown,
            "damaged.mod, line " + std::to_string(line) + ": Invalid numeric input\n\n" + library);
  EXPECT_EQ(form->Document(), before);
  EXPECT_EQ(form->Caption(), "survey.mod - kivview");
}

TEST_F(ViewerFormTest, AnUnexpectedFailureStaysInTheExceptionBox) {
  ASSERT_TRUE(form->OpenFile(survey));
  const TSurveyDocument* before = form->Document();
  std::string shown;
  std::string box;
  {
    // The second read of the file fails: the disk, not the file, is at fault.
    platform::testing::ScopedFault fault(platform::testing::Operation::Read,
                                         platform::testing::Fault::Error(std::errc::io_error), 1);
    ModalAnswer ok([&](QWidget& window) {
      box = window.objectName().toStdString();
      ClickMessageBoxButton(QMessageBox::Ok, &shown)(window);
    });
    EXPECT_FALSE(form->OpenFile(other));
  }
  EXPECT_EQ(box, "ExceptionBox");
  EXPECT_EQ(shown, "system_error with message: \nread " + other + ": " +
                       std::make_error_code(std::errc::io_error).message());
  EXPECT_EQ(form->Document(), before);
}

TEST_F(ViewerFormTest, AnUncertainModelTypeIsAskedForAndCancelKeepsTheDocument) {
  ASSERT_TRUE(form->OpenFile(survey));
  const TSurveyDocument* before = form->Document();
  OpenAsSeen seen;
  {
    ModalAnswer cancel(AnswerOpenAs(&seen, "", false));
    EXPECT_FALSE(form->OpenFile(sigma));
    EXPECT_TRUE(cancel.Answered());
  }
  EXPECT_EQ(form->Document(), before);
  EXPECT_EQ(form->Caption(), "survey.mod - kivview");
  EXPECT_EQ(seen.labels, (std::vector<std::string>{
                             "sigma.mod",
                             "Its models have 1 layer-parameter block and 0 extra-parameter lines, "
                             "which several model types have.",
                             "Read its models as (the likeliest first):"}));
  std::vector<std::string> candidates;
  for (const TVesmarInvModelType& type : survey::FindModelTypeOfFile(sigma).candidates)
    candidates.push_back(survey::ModelTypeText(type));
  EXPECT_EQ(seen.entries, candidates);
  EXPECT_EQ(seen.selected, 0);

  {
    ModalAnswer ok(AnswerOpenAs(nullptr, sigmaType, true));
    ASSERT_TRUE(form->OpenFile(sigma));
  }
  EXPECT_EQ(TypeText(form->Document()), sigmaType);
  EXPECT_EQ(form->LayerGrid->ColTitle(2), "Sigma (mS/m)");
  EXPECT_EQ(form->Caption(), "sigma.mod - kivview");
}

TEST_F(ViewerFormTest, AModelTypeChosenIsRememberedForTheFileAtTheNextStart) {
  {
    ModalAnswer ok(AnswerOpenAs(nullptr, sigmaType, true));
    ASSERT_TRUE(form->OpenFile(sigma));
  }
  form->Close();
  TKivViewForm& second = NewForm();
  {
    test::NoModalWindow none;
    ASSERT_TRUE(second.OpenFile(sigma));
  }
  EXPECT_EQ(TypeText(second.Document()), sigmaType);
}

TEST_F(ViewerFormTest, OpenAsListsEveryModelTypeOfACertainFileTheFoundOneFirst) {
  const survey::ModelTypeFinding finding = survey::FindModelTypeOfFile(survey);
  ASSERT_TRUE(finding.certain);
  OpenAsSeen seen;
  {
    ModalAnswer ok(AnswerOpenAs(&seen, "", true));
    ASSERT_TRUE(form->OpenFileAs(survey));
  }
  std::vector<std::string> candidates;
  for (const TVesmarInvModelType& type : finding.candidates)
    candidates.push_back(survey::ModelTypeText(type));
  EXPECT_GT(candidates.size(), 1u);
  EXPECT_EQ(seen.entries, candidates);
  ASSERT_FALSE(seen.entries.empty());
  EXPECT_EQ(seen.entries.front(), survey::ModelTypeText(test::SurveyModelType({})));
  EXPECT_EQ(seen.selected, 0);
  EXPECT_EQ(TypeText(form->Document()), seen.entries.front());
}

TEST_F(ViewerFormTest, TheGeneratorsSurveyOpensWithoutAsking) {
  const std::string generated = test::WriteSurvey(
      {40, 6, false, survey::ModelTypeNamed({"Chargeability", "TauRho"}, {"Altitude", "Pitch"}),
       test::kSurveyTypeCode},
      dir / "generated.mod");
  {
    test::NoModalWindow none;
    ASSERT_TRUE(form->OpenFile(generated));
  }
  EXPECT_EQ(TypeText(form->Document()),
            "Resistivity, Chargeability, TauRho; extra parameters Altitude, Pitch");
}

TEST_F(ViewerFormTest, SelectingARowInTheGridMovesTheSectionsMarker) {
  ASSERT_TRUE(form->OpenFile(survey));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolkit::QtWidget(*form.Get())));
  const std::optional<int> first = form->MarkerPixel();
  ASSERT_TRUE(first);

  auto& view = toolkit::QtWidgetAs<QTableView>(*form->SoundingsGrid);
  view.selectRow(150);
  EXPECT_EQ(form->Selected(), 150u);
  const std::optional<int> moved = form->MarkerPixel();
  ASSERT_TRUE(moved);
  EXPECT_GT(*moved, *first);
  // The layer grid shows the selected sounding's values, not the first one's.
  ASSERT_TRUE(form->Document()->Value(150, 0, 0));
  EXPECT_EQ(form->LayerGrid->OnGetText(1, 0), NumberText(*form->Document()->Value(150, 0, 0)));
  EXPECT_NE(form->LayerGrid->OnGetText(1, 0), NumberText(*form->Document()->Value(0, 0, 0)));

  // The marker is drawn where it is said to stand.
  TBitmap picture(form->SectionBox->ClientWidth(), form->SectionBox->ClientHeight());
  form->SectionBox->PaintTo(picture);
  const TRect plot = SectionPlotArea(picture.Width(), picture.Height());

  EXPECT_EQ(picture.Pixels(*moved, (plot.Top + plot.Bottom) / 2), 0x0000E0);
}

// The paintings of the section begun, the failing ones among them.
int sectionPaints = 0;
bool sectionPaintFails = false;

// A paint that fails is reported once: the same view then paints an empty plot with a line of
// text, without trying again, until the view changes.
TEST_F(ViewerFormTest, AFailedPaintIsReportedOnceUntilTheViewChanges) {
  ASSERT_TRUE(form->OpenFile(survey));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolkit::QtWidget(*form.Get())));
  TBitmap picture(form->SectionBox->ClientWidth(), form->SectionBox->ClientHeight());
  const TRect plot = SectionPlotArea(picture.Width(), picture.Height());
  const TPoint middle{(plot.Left + plot.Right) / 2, (plot.Top + plot.Bottom) / 2};
  sectionPaints = 0;
  sectionPaintFails = true;
  testing::sectionPaintBegins = [] {
    ++sectionPaints;
    if (sectionPaintFails)
      throw std::runtime_error("painting failed");
  };
  std::string shown;
  {
    ModalAnswer ok(ClickMessageBoxButton(QMessageBox::Ok, &shown));
    Repaint(*form->SectionBox);
  }
  EXPECT_EQ(shown, "runtime_error with message: \npainting failed");
  EXPECT_EQ(sectionPaints, 1);
  Repaint(*form->SectionBox);
  form->SectionBox->PaintTo(picture);
  EXPECT_EQ(sectionPaints, 1);
  EXPECT_EQ(picture.Pixels(middle.X, middle.Y), clWhite);

  sectionPaintFails = false;
  form->SectionBox->OnMouseWheel({}, 120, middle.X, middle.Y);
  form->SectionBox->PaintTo(picture);
  testing::sectionPaintBegins = nullptr;
  EXPECT_EQ(sectionPaints, 2);
  EXPECT_NE(picture.Pixels(middle.X, middle.Y), clWhite);
}

TEST_F(ViewerFormTest, TheMouseSelectsZoomsAroundThePointerAndPans) {
  ASSERT_TRUE(form->OpenFile(survey));
  QWidget& box = toolkit::QtWidget(*form->SectionBox);
  const TRect plot = SectionPlotArea(box.width(), box.height());
  const QPoint middle((plot.Left + plot.Right) / 2, (plot.Top + plot.Bottom) / 2);
  const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button,
                        Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), box.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &event);
  };
  const auto pointerText = [&](QPoint at) {
    send(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    return form->StatusBar->PanelText(0);
  };

  send(QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, middle, Qt::LeftButton, Qt::NoButton);
  ASSERT_TRUE(form->Selected());
  const std::size_t clicked = *form->Selected();
  EXPECT_GT(clicked, 100u);
  EXPECT_NEAR(*form->MarkerPixel(), middle.x(), 2);
  EXPECT_EQ(form->SoundingsGrid->Row(), static_cast<int>(clicked));

  const QPoint aside = middle + QPoint(120, 40);
  const std::string underMiddle = pointerText(middle);
  const std::string underAside = pointerText(aside);
  EXPECT_NE(underMiddle.find("Resistivity"), std::string::npos) << underMiddle;
  QWheelEvent wheel(QPointF(middle), box.mapToGlobal(QPointF(middle)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&box, &wheel);
  EXPECT_EQ(pointerText(middle), underMiddle);
  EXPECT_NE(pointerText(aside), underAside);

  send(QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, middle + QPoint(50, 0), Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, middle + QPoint(50, 0), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(form->Selected(), clicked);
  EXPECT_NEAR(*form->MarkerPixel(), middle.x() + 50, 2);
}

TEST_F(ViewerFormTest, ExportsTheSectionAndOpensADroppedFile) {
  ASSERT_TRUE(form->OpenFile(survey));
  form->SelectSounding(150);
  const std::optional<int> marker = form->MarkerPixel();
  ASSERT_TRUE(marker);
  const std::string png = dir / "section.png";
  form->ExportPicture(png);
  const QImage picture(QString::fromStdString(png));
  EXPECT_EQ(picture.width(), form->SectionBox->ClientWidth());
  EXPECT_EQ(picture.height(), form->SectionBox->ClientHeight());
  // The marker's colour (0x00BBGGRR 0x0000E0) where the marker stands.
  const TRect plot = SectionPlotArea(picture.width(), picture.height());
  EXPECT_EQ(picture.pixel(*marker, (plot.Top + plot.Bottom) / 2) & 0xFFFFFF, 0xE00000u);

  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QString::fromStdString(other))});
  QWidget& window = toolkit::QtWidget(*form.Get());
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_EQ(form->Document()->FileName(), other);
}

TEST_F(ViewerFormTest, EditsAreCheckedAndCanBeUndoneAndRedone) {
  ASSERT_TRUE(form->OpenFile(survey));
  form->SelectSounding(3);
  const std::string before = form->LayerGrid->OnGetText(1, 2);
  EXPECT_FALSE(form->LayerGrid->EditCell(1, 2, "-3"));
  EXPECT_EQ(form->LayerGrid->CellRefusal(1, 2), "A resistivity must be a positive number");
  EXPECT_FALSE(form->Document()->Modified());

  EXPECT_TRUE(form->LayerGrid->EditCell(1, 2, "250"));
  EXPECT_EQ(form->LayerGrid->OnGetText(1, 2), "250");
  EXPECT_EQ(form->Caption(), "survey.mod* - kivview");

  QWidget& window = toolkit::QtWidget(*form.Get());
  form->Activate();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_EQ(form->LayerGrid->OnGetText(1, 2), before);
  EXPECT_EQ(form->Caption(), "survey.mod - kivview");
  QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::Key_Y));
  EXPECT_EQ(form->LayerGrid->OnGetText(1, 2), "250");
  EXPECT_EQ(form->Caption(), "survey.mod* - kivview");
}

TEST_F(ViewerFormTest, SavesWhatWasEditedAndWithoutEditsTheLibrarysBytes) {
  ASSERT_TRUE(form->OpenFile(survey));
  const std::string copy = dir / "library.mod";
  {
    const TVesmarInvModelType type = OlderLayoutModelType(test::kSurveyTypeCode);
    TModFile file(survey, type);
    file.SetFileName(copy);
    file.SaveGeneral(type, false);
  }
  // The file on disk differs first, so that a save which writes nothing is seen.
  test::WriteFile(survey, "not a model file");
  ASSERT_TRUE(form->SaveDocument());
  EXPECT_EQ(test::ReadFile(survey), test::ReadFile(copy));

  form->SelectSounding(7);
  ASSERT_TRUE(form->LayerGrid->EditCell(1, 0, "42.5"));
  ASSERT_TRUE(form->SaveDocument());
  EXPECT_EQ(form->Caption(), "survey.mod - kivview");
  const TVesmarInvModelType type = OlderLayoutModelType(test::kSurveyTypeCode);
  EXPECT_EQ(TModFile(survey, type).GetModel(8).Layers[0].ResStart, 42.5f);
}

TEST_F(ViewerFormTest, ClosingWithChangesAsksSaveDiscardOrCancel) {
  ASSERT_TRUE(form->OpenFile(survey));
  const std::string original = test::ReadFile(survey);
  ASSERT_TRUE(form->LayerGrid->EditCell(1, 0, "77"));
  {
    ModalAnswer cancel(ClickMessageBoxButton(QMessageBox::Cancel));
    form->Close();
    EXPECT_TRUE(cancel.Answered());
  }
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(form->Document()->Modified());
  {
    ModalAnswer discard(ClickMessageBoxButton(QMessageBox::Discard));
    form->Close();
  }
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(test::ReadFile(survey), original);

  form->Show();
  {
    ModalAnswer save(ClickMessageBoxButton(QMessageBox::Save));
    form->Close();
  }
  EXPECT_FALSE(form->Visible());
  const TVesmarInvModelType type = OlderLayoutModelType(test::kSurveyTypeCode);
  EXPECT_EQ(TModFile(survey, type).GetModel(1).Layers[0].ResStart, 77.0f);
}

TEST_F(ViewerFormTest, ASecondStartRestoresPlacementPanesColumnsAndRecentFiles) {
  ASSERT_TRUE(form->OpenFile(other));
  ASSERT_TRUE(form->OpenFile(survey));
  form->SetBounds(140, 90, 1100, 720);
  form->MainSplitter->SetSizes({300, 790});
  form->SoundingsGrid->SetColWidths(5, 210);
  const std::vector<int> sizes = form->MainSplitter->Sizes();
  form->Close();

  TKivViewForm& second = NewForm();
  EXPECT_EQ(second.Left(), 140);
  EXPECT_EQ(second.Top(), 90);
  EXPECT_EQ(second.Width(), 1100);
  EXPECT_EQ(second.Height(), 720);
  EXPECT_EQ(second.MainSplitter->Sizes(), sizes);
  EXPECT_EQ(second.SoundingsGrid->ColWidths(5), 210);
  EXPECT_EQ(second.RecentFiles->Files(), (std::vector<std::string>{survey, other}));
}

TEST_F(ViewerFormTest, OpensTheFileGivenOnTheCommandLine) {
  delete form.Get();
  TKivViewForm& started =
      StartViewer(Application(), {"kivview", survey}, dir / "logs/kivview_x_.log");
  form.Reset(&started);
  ASSERT_NE(started.Document(), nullptr);
  EXPECT_EQ(started.Document()->FileName(), survey);
  EXPECT_EQ(Application().MainForm(), &started);
  Application().SetMainForm(nullptr);
}

// A reader outside the viewer reads the file through the survey layer and finds, under the same
// field names, the values that the viewer's grids show for a sounding of the generator's kind.
TEST_F(ViewerFormTest, ShowsWhatTheSurveyLayerReadsUnderTheSameNames) {
  const std::string path = test::WriteSurvey(
      {40, 6, true, survey::ModelTypeNamed({"Chargeability", "TauRho"}, {"Altitude", "Pitch"}), 6},
      dir / "outside.mo2");
  ASSERT_TRUE(form->OpenFile(path));
  const std::size_t sounding = 7;
  form->SelectSounding(sounding);
  const std::unique_ptr<survey::SurveyFile> read = survey::SurveyFile::Read(path, {});
  const survey::FieldCatalogue fields(read->File(), read->ModelType());
  const TSparseModel& model = read->File().SparseModels()[sounding];
  for (int col = 1; col < form->LayerGrid->ColCount(); ++col) {
    const std::string title = form->LayerGrid->ColTitle(col);
    const survey::Field* field = nullptr;
    for (const survey::Field& candidate : fields.LayerFields())
      if (candidate.Title() == title)
        field = &candidate;
    ASSERT_NE(field, nullptr) << title;
    for (int row = 0; row < form->LayerGrid->RowCount(); ++row) {
      const survey::Cell cell = fields.LayerCell(model, static_cast<std::size_t>(row), *field);
      EXPECT_EQ(Cell(*form->LayerGrid, col, row),
                cell.kind == survey::Cell::Kind::Empty ? "" : NumberText(cell.number))
          << title << " " << row;
    }
  }
  for (int col = 1; col <= 5; ++col) {
    const std::string title = form->SoundingsGrid->ColTitle(col);
    const auto field = std::find_if(fields.SoundingFields().begin(), fields.SoundingFields().end(),
                                    [&](const survey::Field& f) { return f.Title() == title; });
    ASSERT_NE(field, fields.SoundingFields().end()) << title;
    const survey::Cell cell = fields.SoundingCell(model, *field);
    EXPECT_EQ(Cell(*form->SoundingsGrid, col, static_cast<int>(sounding)),
              cell.kind == survey::Cell::Kind::Text ? std::string(cell.text)
                                                    : NumberText(cell.number))
        << title;
  }
}

} // namespace
} // namespace kiv::viewer
