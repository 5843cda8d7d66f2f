#pragma once
// Checks the output file before anything runs and, after a failure, removes what the failed run
// left there, but never a file the run did not touch and never the input.

#include "divuvo/Options.h"

#include <sys/stat.h>

#include <string>

namespace quillabe::divuvo {

class OutputGuard {
public:
    explicit OutputGuard(std::string output) : output_(std::move(output)) {}

    // An error line when the output cannot or must not be written; empty when all is well.
    std::string Check(const EncoderOptions& options, const std::string& source);
    // After a failure: deletes the output when the run created or changed it.
    void RemovePartial() const;

private:
    std::string output_;
    bool existed_ = false;
    struct stat before_ {};
    struct stat source_ {};
    bool sourceKnown_ = false;
};

} // namespace quillabe::divuvo
