#pragma once
// What every window of the program shares: the records of the runs
// (Workspace), the window coordination flags, the images handed to the
// all-image view, and the services through which windows reach the user.

#include <QString>
#include <array>
#include <memory>
#include <optional>

#include "app/services/app_services.h"
#include "core/basedata/survey_data.h"
#include "core/session/workspace.h"
#include "render/scalable_canvas.h"

class QTemporaryDir;

namespace mk::app {

// The six exported images of a result window, read by the all-image view.
struct AllViewData {
    std::array<QString, 6> AllViewImageFiles;
    std::array<QString, 6> AllViewImageTitles;
    QString AllViewHeader;
    // The program's own folder that holds the six files, so that no file of
    // the user's is overwritten; it goes with the view that shows them.
    std::shared_ptr<QTemporaryDir> AllViewFolder;
    // The same six pictures as drawings, so that the view can paint them
    // sharp at any size; a drawing is used only where it is exactly the
    // picture its file holds.
    std::array<std::optional<ScalableCanvas>, 6> AllViewDrawings;
};

// The records of the session and the window coordination flags live in the
// Workspace (its Flags), so the core and the windows see the same values.
struct AppContext {
    Workspace ws;
    AppServices services;
    WindowFlags& flags = ws.Flags;
    AllViewData allView;
    SurveyDataSet SurveyData;  // shared by the base data windows, one open at a time
    // The PRM and PAR files of the last stand volume table setup (its HNP
    // file is the Workspace's HnpFileName): the next setup offers them again.
    std::string VolumeSetupPrmFileName;
    std::string VolumeSetupParFileName;
    // True while a simulation runs; nothing may then destroy what it uses.
    bool computationRunning = false;

    Messages& messages() const { return *services.messages; }
};

}  // namespace mk::app
