#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "app/ProfileFile.h"
#include "printing/CardRequest.h"
#include "resources/StringTable.h"

namespace morvind::cli {

// The official form's file for this run, checked: --form-file, else the
// setting "Form File". When the run's form (by --form, else the settings)
// is another, the stored file unchecked, for CheckOfficialOutput: the
// user's form file is never written. The problem, when the file can't
// serve or the options ask for the official form's outputs without it.
std::string ChooseFormFile(const CliOptions& options, const ProfileFile& settings,
                           const StringTable& strings, std::filesystem::path& formFile);

// Whether an output `target` is refused beside the official form: the form
// file itself is never written, and a folder of records must be a writable
// folder (one that is missing is made where its parent folder exists). The
// problem, or empty.
std::string CheckOfficialOutput(const CliOptions& options, const std::filesystem::path& target,
                                const std::filesystem::path& formFile);

// Writes the requests with the official form `formFile` where the options
// say: the field listing; as a PDF file the fillable form of one record
// (--publisher, --name) or, with --all, --both-years or --flatten, one PDF
// of every record with its fields drawn into the pages, titled `title`; a
// folder of records; or one print job. Messages go to standard output and
// error as one line each. Returns the exit status.
// The records' files are named as the list names the publishers
// (`firstNameSort`), by their place in the whole table.
int RunOfficialForm(const CliOptions& options, const std::vector<CardRequest>& requests,
                    bool firstNameSort, const std::filesystem::path& formFile,
                    const std::string& title);

}  // namespace morvind::cli
