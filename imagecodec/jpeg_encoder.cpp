#include "jpeg_encoder.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

namespace imagecodec {

namespace {

// libjpeg reports errors by calling error_exit, which must not return (its
// default ends the process): this one jumps back into Compress.
struct EncodeErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void OnEncodeError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<EncodeErrors*>(info->err)->jump, 1);
}

struct JpegEncode {
  jpeg_compress_struct info;
  jpeg_destination_mgr destination;
  EncodeErrors errors;
  std::string bytes;  // the output, grown as libjpeg fills it
  bool failed = false;
};

constexpr size_t kFirstOutputSize = 16 * 1024;

JpegEncode& EncodeOf(j_compress_ptr info) { return *static_cast<JpegEncode*>(info->client_data); }

void StartOutput(j_compress_ptr info) {
  std::string& bytes = EncodeOf(info).bytes;
  bytes.resize(kFirstOutputSize);
  info->dest->next_output_byte = reinterpret_cast<JOCTET*>(bytes.data());
  info->dest->free_in_buffer = bytes.size();
}

// Called when the whole output is full.
boolean GrowOutput(j_compress_ptr info) {
  std::string& bytes = EncodeOf(info).bytes;
  const size_t used = bytes.size();
  bytes.resize(used * 2);
  info->dest->next_output_byte = reinterpret_cast<JOCTET*>(bytes.data()) + used;
  info->dest->free_in_buffer = bytes.size() - used;
  return TRUE;
}

void EndOutput(j_compress_ptr info) {
  std::string& bytes = EncodeOf(info).bytes;
  bytes.resize(bytes.size() - info->dest->free_in_buffer);
}

// Holds no object with a destructor in its own frame and keeps all it
// changes in *encode, so the jump out of libjpeg loses nothing.
void Compress(JpegEncode* encode, int width, int height, const uint8_t* rgb, int quality) {
  jpeg_compress_struct& info = encode->info;
  info.err = jpeg_std_error(&encode->errors.manager);
  encode->errors.manager.error_exit = OnEncodeError;
  if (setjmp(encode->errors.jump) != 0) {
    jpeg_destroy_compress(&encode->info);
    encode->failed = true;
    return;
  }
  jpeg_create_compress(&info);
  info.client_data = encode;
  encode->destination.init_destination = StartOutput;
  encode->destination.empty_output_buffer = GrowOutput;
  encode->destination.term_destination = EndOutput;
  info.dest = &encode->destination;
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  const size_t stride = static_cast<size_t>(width) * 3;
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {const_cast<JSAMPLE*>(rgb + info.next_scanline * stride)};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
}

}  // namespace

std::string EncodeRgbJpeg(int width, int height, const uint8_t* rgb, int quality) {
  if (width <= 0 || height <= 0 || rgb == nullptr) return std::string();
  auto encode = std::make_unique<JpegEncode>();
  Compress(encode.get(), width, height, rgb, quality);
  return encode->failed ? std::string() : std::move(encode->bytes);
}

std::string EncodeSolidJpeg(int width, int height, uint8_t red, uint8_t green, uint8_t blue,
                            int quality) {
  if (width <= 0 || height <= 0) return std::string();
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < pixels.size(); i += 3) {
    pixels[i] = red;
    pixels[i + 1] = green;
    pixels[i + 2] = blue;
  }
  return EncodeRgbJpeg(width, height, pixels.data(), quality);
}

}  // namespace imagecodec
