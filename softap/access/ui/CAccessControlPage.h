#pragma once
// The access-control page (192, "Access Control"): the policy, the address list with Add,
// Delete, Remove All and an in-place Modify, and Apply. Renders AccessControlModel.

#include <QWidget>
#include <functional>
#include <memory>

#include "softap/access/AccessControl.h"
#include "softap/shell/HostiraStrings.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kavo9::softap {

namespace access {
enum : int {
  kDialog = 192,
  kPolicyCombo = 1132,
  kMacEdit = 1135,
  kList = 1139,
  kEditField = 1166,
  kModifyButton = 1164,
  kCancelButton = 1165,
  kAddButton = 1133,
  kDeleteButton = 1134,
  kRemoveAllButton = 1136,
  kApplyButton = 1137,
};
}  // namespace access

class CAccessControlPage : public QWidget {
  Q_OBJECT
 public:
  using MessageFn = std::function<void(int stringId)>;
  // The page owns its model, which has been loaded.
  CAccessControlPage(const HostiraStrings& strings, std::unique_ptr<AccessControlModel> model,
                     MessageFn message, QWidget* parent = nullptr);
  ~CAccessControlPage() override;

  AccessControlModel& Model() { return *model_; }
  void Render();

 private:
  QPushButton* Button(int id, int textId);
  void StartEditing(int row);
  void StopEditing();
  void Refuse(int stringId);

  const HostiraStrings& strings_;
  std::unique_ptr<AccessControlModel> model_;
  MessageFn message_;
  QComboBox* policy_ = nullptr;
  QLineEdit* mac_ = nullptr;
  QListWidget* list_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* removeAll_ = nullptr;
  QPushButton* apply_ = nullptr;
  QWidget* editRow_ = nullptr;
  QLineEdit* edit_ = nullptr;
  int editing_ = -1;
};

}  // namespace kavo9::softap
