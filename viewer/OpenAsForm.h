#pragma once

// The Open as dialog: the model types that may lay out a file's models, the likeliest first, of
// which a person chooses the one to read the file with.

#include "framework/toolkit/Form.h"
#include "survey/ModelTypeFinding.h"

#include <optional>
#include <string>
#include <vector>

namespace kiv {

class TButton;
class TLabel;
class TListBox;

namespace viewer {

class TOpenAsForm : public TForm {
public:
  // Names the file and why its model type is in question, and lists the finding's candidates
  // with the first one selected.
  TOpenAsForm(TComponent* AOwner, const std::string& AFileName,
              const survey::ModelTypeFinding& AFinding);

  // Shows the dialog, owned by AOwner, modally: the model type chosen with OK; none when it was
  // cancelled or a window event freed it.
  static std::optional<TVesmarInvModelType> Choose(TComponent* AOwner, const std::string& AFileName,
                                                   const survey::ModelTypeFinding& AFinding);

  // The candidate selected in the list; none when none is.
  std::optional<TVesmarInvModelType> Selected() const;

  // The controls, owned by the dialog.
  TLabel* FileLabel;
  TLabel* ReasonLabel;
  TLabel* ListLabel;
  TListBox* CandidateList;
  TButton* OkButton;
  TButton* CancelButton;

private:
  std::vector<TVesmarInvModelType> FCandidates;
};

} // namespace viewer
} // namespace kiv
