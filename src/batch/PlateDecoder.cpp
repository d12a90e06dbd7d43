#include "PlateDecoder.h"

#include <utility>

namespace vorrendal::batch {

// Answers the year question from the year the caller named and notes what
// the reader would have shown.
class PlateDecoder::Answers final : public IPrompter {
 public:
  explicit Answers(OnceDataReader& data) : data_(data) {}

  void Start(std::optional<int> yearAnswer, std::vector<Notice>& notices) {
    yearAnswer_ = yearAnswer;
    notices_ = &notices;
    unanswered_ = false;
  }
  bool Unanswered() const { return unanswered_; }

  int AskYear(const std::string& firstYear, const std::string& secondYear) override {
    if (yearAnswer_) {
      const std::string wanted = std::to_string(*yearAnswer_);
      if (wanted == firstYear) return 0;
      if (wanted == secondYear) return 1;
    }
    unanswered_ = true;
    return 0;
  }
  void InvalidYearCode(const std::string& title, const std::string& text) override {
    notices_->push_back({Notice::Kind::InvalidYearCode, title, text, {}});
  }
  void DataLoadFailed(const std::string& title, const std::string& text) override {
    // The reader asks again at every decode of a year that failed; the data
    // reader no longer reads it, and it is told once.
    if (const std::optional<std::string> year = data_.TakeUntoldFailure())
      notices_->push_back({Notice::Kind::DataLoadFailed, title, text, "19" + *year});
  }

 private:
  OnceDataReader& data_;
  std::optional<int> yearAnswer_;
  std::vector<Notice>* notices_ = nullptr;
  bool unanswered_ = false;
};

PlateDecoder::PlateDecoder(std::unique_ptr<IDataReader> data)
    : PlateDecoder(std::make_unique<OnceDataReader>(std::move(data))) {}

PlateDecoder::PlateDecoder(std::unique_ptr<OnceDataReader> data)
    : data_(data.get()),
      answers_(std::make_unique<Answers>(*data)),
      reader_(*answers_, std::move(data)) {}

PlateDecoder::~PlateDecoder() = default;

PlateResult PlateDecoder::Decode(const PlateBoxes& boxes, std::optional<int> yearAnswer,
                                 bool withReport) {
  PlateResult result;
  answers_->Start(yearAnswer, result.Notices);
  reader_.ErrorOccurred = false;
  reader_.ReadCodes(boxes.SerialNumber, boxes.Body, boxes.Color, boxes.Trim, boxes.Date, boxes.DSO,
                    boxes.Trans, boxes.Axle);
  if (answers_->Unanswered()) {
    // The year was guessed, so nothing the reader left is this plate's.
    result.Error = "the model year of this serial number was not named";
    return result;
  }
  if (reader_.BadYearCode) {
    result.BadYearCode = true;
    return result;
  }
  const clsCodeReader& r = reader_;
  result.Results = {
      r.ModelYear, r.AssemblyPlant, r.Model,        r.EngineType, r.UnitNumber,       r.Body,
      r.Color,     r.Trim,          r.DateProduced, r.DSO,        r.TransmissionType, r.AxleRatio};
  result.SearchYear = r.SearchYear;
  result.ErrorOccurred = r.ErrorOccurred;
  result.DataLoadFailed = data_->Failed(r.SearchYear);
  // Write may replace the reader's long texts by their wrapped form; the
  // results above were taken before.
  if (withReport) result.Report = ReportWriter::Write(reader_, boxes, false, std::string()).Report;
  return result;
}

}  // namespace vorrendal::batch
