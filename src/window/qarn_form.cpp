#include "window/qarn_form.h"

#include <QCloseEvent>
#include <QFont>
#include <QMenuBar>
#include <QScrollBar>

#include "widgets/kv_string_grid.h"
#include "window/accessible_roles.h"
#include "window/change_announcer.h"
#include "window/command_actions.h"
#include "window/file_commands.h"
#include "window/map_canvas.h"
#include "window/map_view.h"
#include "window/mark_preview.h"
#include "window/name_widths.h"
#include "window/pending_messages.h"

namespace qarn {

namespace {

QImage ChosenMap(QImage map) {
  return map.isNull() ? MapPicture::BuiltInMap() : std::move(map);
}

constexpr QSize kDesignedClientSize(792, 573);

}  // namespace

TQarnForm::TQarnForm(std::unique_ptr<FormDialogs> dialogs, QImage map, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtFormDialogs>()),
      model_(new PathSetDocument(this)),
      map_(ChosenMap(std::move(map))),
      preview_(std::make_unique<MarkPreview>(map_, transform_)) {
  setObjectName(QStringLiteral("QarnForm"));
  QFont font(QStringLiteral("Sans Serif"), 8);
  font.setStyleHint(QFont::SansSerif);
  setFont(font);
  setAutoFillBackground(true);
  messages_ = new PendingMessages(
      this, [this](const QString& message) { dialogs_->ShowError(this, message); });
  nameWidths_ = std::make_unique<NameWidths>();
  InstallAccessibleRoles();
  menuBar_ = new QMenuBar(this);
  menuBar_->setObjectName(QStringLiteral("MenuBar"));
  menuBar_->setAccessibleName(QStringLiteral("Menu bar"));
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("ClientArea"));
  client_->setAccessibleName(QStringLiteral("Path set editor"));
  BuildControls();
  Loaded();
  FillTypeLists();
  FollowModel();
  Names->OnClick = [this](tKvStringGrid*) { NamesClick(); };
  Ents->OnClick = [this](tKvStringGrid*) { EntsClick(); };
  Image1->SetEditor(this);
  ConnectCalibration();
  ConnectTypeAndFlags();
  files_ = new FileCommands(*this, *model_, *dialogs_);
  actions_ = new CommandActions(*this);
  actions_->FillMenuBar(menuBar_);
  (new ChangeAnnouncer(this))->Watch(Panel3);
  // The menu bar comes on top of the designed client area, which keeps its size.
  const int barHeight = menuBar_->sizeHint().height();
  setMinimumSize(minimumSize() + QSize(0, barHeight));
  resize(kDesignedClientSize + QSize(0, barHeight));
  LayOutContainers();
  UpdateTitle();
}

TQarnForm::~TQarnForm() = default;

bool TQarnForm::LoadFile(const QString& path) {
  return files_->LoadFile(path);
}

bool TQarnForm::OpenRecovered(const QString& copyPath, const QString& documentPath,
                              std::optional<DiskSnapshot> then) {
  return files_->OpenRecovered(copyPath, documentPath, std::move(then));
}

const DiskChangeGuard& TQarnForm::DiskGuard() const {
  return files_->DiskGuard();
}

void TQarnForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOutContainers();
}

void TQarnForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (scrolledAtStart_) return;
  scrolledAtStart_ = true;
  // The map opens with its pixel (505, 525) at the top-left corner of the view.
  ScrollBox1->horizontalScrollBar()->setValue(505);
  ScrollBox1->verticalScrollBar()->setValue(525);
}

void TQarnForm::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  Guard([&] { mayClose = files_->ConfirmDiscardChanges(); });
  if (mayClose) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace qarn
