#include "imaging/libjpeg_errors.h"

namespace {

void ignoreMessage(j_common_ptr) {}

} // namespace

void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<LibjpegErrorJump*>(info->err)->jump, 1);
}

jpeg_error_mgr* installErrorJump(LibjpegErrorJump& error)
{
    jpeg_error_mgr* manager = jpeg_std_error(&error.manager);
    manager->error_exit = jumpBack;
    manager->output_message = ignoreMessage;
    return manager;
}
