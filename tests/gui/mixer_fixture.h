#pragma once
// One demo project copied into a scratch folder and loaded into a mixer window.

#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <string>

#include "mixer/form_ctrls.h"
#include "project/document_ops.h"
#include "scripted_dialogs.h"

namespace spurwerk::testing {

struct Mixer {
    QTemporaryDir dir;
    std::filesystem::path project;
    ProjectSession session;
    ZDTDocument& doc = session.doc;
    ScriptedDialogs dialogs;
    std::unique_ptr<gui::FormCtrls> form;

    Mixer() {
        project = std::filesystem::path(dir.path().toStdString()) / "PROJ001";
        std::filesystem::copy(std::filesystem::path(SPURWERK_DEMO_CARD) / "PROJ001", project,
                              std::filesystem::copy_options::recursive);
        form = std::make_unique<gui::FormCtrls>(session, dialogs, MixerOptions{});
        form->show();
        session.ZDTFileToLoad = (project / "PRJDATA.ZDT").string();
        DocumentContext context{session, dialogs, ""};
        if (!LoadZDTFile(context, false)) qFatal("demo project not loaded");
    }
    template <class T>
    T* As(const char* name) const { return qobject_cast<T*>(form->Widget(name)); }
    int Byte(const char* control) const { return doc.ReadByte(form->Model().Controls().Control(control).Offset()); }
    std::string Text(const std::string& control, std::size_t length) const {
        return doc.ReadString(form->Model().Controls().Control(control).Offset(), length);
    }
    // A track's file field as the window shows it (up to its first NUL).
    std::string Field(int track) const { return Text("EDFileAss_" + std::to_string(track), 12).c_str(); }
};

}  // namespace spurwerk::testing
