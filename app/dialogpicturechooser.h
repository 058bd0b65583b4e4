#pragma once

#include "app/picturefilechooser.h"

namespace app {

// The real dialog: "ファイルを開く", bitmap files first, only existing files.
class DialogPictureChooser final : public PictureFileChooser
{
public:
    QString choosePicture(QWidget *parent) override;
};

} // namespace app
