// The ranking: the stored results in a list, and the details of the one selected.
#pragma once

#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "store/score_file.h"

#include <string>
#include <vector>

namespace zembro {

inline constexpr int ID_RANKING_LIST = 1022;
inline constexpr int ID_RANKING_DATE = 1024, ID_RANKING_TIME = 1025, ID_RANKING_PENALTY = 1026,
                     ID_RANKING_KINDS = 1027, ID_RANKING_FIXED = 1028;

// The list's line for the record at `index` (0-based), the name in UTF-8.
std::string RankingLine(int index, const ScoreRecord& record);

struct RankingDetails {
    std::string date, time, penalty, kinds, fixed;
};
RankingDetails DetailsOf(const ScoreRecord& record);

const platform::DialogTemplate& RankingTemplate();

class RankingDialog : public platform::DialogHandler {
  public:
    explicit RankingDialog(std::vector<ScoreRecord> records) : records_(std::move(records)) {}
    void OnInitDialog(platform::DialogControls& controls) override;
    void OnSelectionChange(int id, platform::DialogControls& controls) override;

  private:
    void ShowDetails(const ScoreRecord& record, platform::DialogControls& controls);
    std::vector<ScoreRecord> records_;
};

} // namespace zembro
