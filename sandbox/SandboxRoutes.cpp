// The routes of SandboxServer and its state report.
#include <cstdio>

#include "SandboxServer.h"
#include "TextUtil.h"

namespace {

std::map<std::string, std::string> Params(const httplib::Request& req) {
  std::map<std::string, std::string> out;
  for (const auto& [k, v] : req.params)
    out.emplace(k, v);
  return out;
}

}  // namespace

void SandboxServer::Routes() {
  using httplib::Request;
  using httplib::Response;

  server_.set_pre_routing_handler([this](const Request& req, Response& res) {
    ++total_;
    // Runs before the body is read: compressed request bodies are refused
    // outright, so nobody can hand the server a decompression bomb.
    std::string coding = TextUtil::Lower(TextUtil::Trim(req.get_header_value("Content-Encoding")));
    if (!coding.empty() && coding != "identity") {
      res.status = 415;
      res.set_content("Compressed request bodies are not accepted.\n", "text/plain");
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  server_.set_exception_handler([](const Request&, Response& res, std::exception_ptr) {
    res.status = 500;
    res.set_content("Internal error.\n", "text/plain");
  });
  server_.set_error_handler([](const Request&, Response& res) {
    if (res.body.empty() && !res.content_length_) {
      res.set_content(std::to_string(res.status) + "\n", "text/plain");
    }
  });

  auto shopping = [this](const Request& r, Response& s) {
    Serve(r, s, [this](const Request& req, bool warning) {
      ShoppingCall call;
      call.appId = req.get_header_value("X-EBAY-API-APP-ID");
      call.siteId = TextUtil::Trim(req.get_header_value("X-EBAY-API-SITE-ID"));
      call.version = req.get_header_value("X-EBAY-API-VERSION");
      call.encoding = req.get_header_value("X-EBAY-API-REQUEST-ENCODING");
      call.callName = req.get_header_value("X-EBAY-API-CALL-NAME");
      call.body = req.body;
      call.base = Base(req);
      call.warning = warning;
      ShoppingAnswer answer = shopping_->Handle(call);
      Count("shopping");
      Count("call:" + (answer.call.empty() ? std::string("?") : answer.call) +
            (answer.failure ? "/failure" : ""));
      Reply reply;
      reply.contentType = "text/xml;charset=utf-8";
      reply.body = std::move(answer.xml);
      return reply;
    });
  };
  server_.Post("/shopping", shopping);
  server_.Get("/shopping", shopping);

  server_.Get("/logon.php", [this](const Request& r, Response& s) {
    Serve(r, s, [this](const Request& req, bool) {
      Count("logon");
      Reply reply;
      reply.body = maker_->Logon(Params(req), Base(req));
      return reply;
    });
  });
  server_.Get("/token_refresh.php", [this](const Request& r, Response& s) {
    Serve(r, s, [this](const Request& req, bool) {
      Count("tokenRefresh");
      Reply reply;
      reply.body = maker_->TokenRefresh(Params(req));
      return reply;
    });
  });
  server_.Get("/logoff.php", [this](const Request& r, Response& s) {
    Serve(r, s, [this](const Request& req, bool) {
      Count("logoff");
      Reply reply;
      reply.body = maker_->Logoff(Params(req));
      return reply;
    });
  });
  server_.Get("/urldef.php", [this](const Request& r, Response& s) {
    Serve(r, s, [this](const Request&, bool) {
      Count("urlSchema");
      Reply reply;
      reply.body = maker_->UrlSchema();
      return reply;
    });
  });
  auto intro = [this](const Request& r, Response& s) {
    Serve(r, s, [this](const Request& req, bool) {
      Reply reply;
      reply.contentType = "text/html; charset=utf-8";
      reply.body = maker_->IntroPage(Base(req));
      return reply;
    });
  };
  server_.Get("/intro.php", intro);
  server_.Get("/", intro);
  server_.Get(R"(/modules/([A-Za-z]+\.mod))", [this](const Request& r, Response& s) {
    Serve(r, s, [this](const Request& req, bool) {
      Reply reply;
      reply.contentType = "application/octet-stream";
      reply.compressible = false;
      if (!maker_->Module(req.matches[1], reply.body)) reply.status = 404;
      Count("module");
      return reply;
    });
  });
  server_.Get(R"(/download/([A-Za-z0-9_.\-]+))", [this](const Request& r, Response& s) {
    Serve(r, s, [this](const Request& req, bool) {
      Reply reply;
      reply.contentType = "application/octet-stream";
      reply.compressible = false;
      if (req.matches[1] == maker_->UpdateFileName()) {
        reply.body = maker_->UpdateFile();
      } else {
        reply.status = 404;
      }
      Count("download");
      return reply;
    });
  });
  server_.Get(R"(/pics/(.+))", [this](const Request& r, Response& s) {
    Serve(r, s, [this](const Request& req, bool) {
      Reply reply;
      reply.compressible = false;
      Count("pictures");
      if (auto picture = pictures_.Get(req.matches[1])) {
        reply.contentType = picture->contentType;
        reply.body = picture->bytes;
        reply.headers.emplace_back("Cache-Control", "max-age=86400");
      } else {
        reply.status = 404;
        reply.body = "No such picture.\n";
      }
      return reply;
    });
  });
  server_.Get("/partner", [this](const Request& r, Response& s) {
    Serve(r, s, [this](const Request& req, bool) {
      // Partner links only lead back into the sandbox: no open redirect.
      Reply reply;
      std::string target = req.get_param_value("mpre");
      if (!target.empty() && target.rfind(Base(req), 0) == 0) {
        reply.status = 302;
        reply.headers.emplace_back("Location", target);
      } else {
        reply.status = 400;
        reply.body = "Unknown partner target.\n";
      }
      return reply;
    });
  });

  server_.Get("/sandbox/state", [this](const Request&, Response& s) {
    s.set_content(StateJson(), "application/json");
  });
  server_.Get("/sandbox/faults", [this](const Request&, Response& s) {
    s.set_content(faults_.Rules() + "\n", "text/plain");
  });
  server_.Post("/sandbox/faults", [this](const Request& req, Response& s) {
    std::string error;
    if (faults_.Set(req.body, error)) {
      s.set_content("ok\n", "text/plain");
    } else {
      s.status = 400;
      s.set_content(error + "\n", "text/plain");
    }
  });
  server_.Post("/sandbox/clock", [this](const Request& req, Response& s) {
    double seconds = 0;
    if (!TextUtil::ParseDecimal(req.get_param_value("advance"), seconds) || seconds < 0 ||
        seconds > 1e9) {
      s.status = 400;
      s.set_content("advance=SECONDS (0 or more) expected\n", "text/plain");
      return;
    }
    clock_->Advance(static_cast<int64_t>(seconds * 1000));
    s.set_content(StateJson(), "application/json");
  });
}

std::string SandboxServer::StateJson() const {
  std::string j = "{";
  auto field = [&j](const std::string& name, const std::string& raw) {
    if (j.size() > 1) j += ",";
    j += "\"" + name + "\":" + raw;
  };
  auto quoted = [](const std::string& text) {
    std::string q = "\"";
    TextUtil::AppendJsonEscaped(q, text);
    return q + "\"";
  };
  char speed[32], elapsed[32];
  std::snprintf(speed, sizeof speed, "%g", clock_->Speed());
  std::snprintf(elapsed, sizeof elapsed, "%.3f", clock_->ElapsedSeconds());
  field("seed", std::to_string(catalogue_->Seed()));
  field("itemsPerSite", std::to_string(catalogue_->ItemsPerSite()));
  field("sitesGenerated", std::to_string(catalogue_->SitesGenerated()));
  field("categoriesFromFile", categories_ ? "true" : "false");
  field("clock", "{\"origin\":" + quoted(TextUtil::IsoTime(clock_->OriginMs())) +
                     ",\"now\":" + quoted(TextUtil::IsoTime(clock_->NowMs())) +
                     ",\"speed\":" + speed + ",\"elapsedSeconds\":" + elapsed + "}");
  std::string counts = "{\"total\":" + std::to_string(total_.load());
  {
    std::lock_guard<std::mutex> lock(countsMutex_);
    for (const auto& [name, n] : counts_)
      counts += "," + quoted(name) + ":" + std::to_string(n);
  }
  field("requests", counts + "}");
  std::string fired = "{";
  for (size_t k = 0; k < static_cast<size_t>(FaultKind::Count); ++k) {
    if (k) fired += ",";
    fired += "\"" + std::string(FaultTable::Name(static_cast<FaultKind>(k))) +
             "\":" + std::to_string(faults_.Fired(static_cast<FaultKind>(k)));
  }
  field("faults", "{\"rules\":" + quoted(faults_.Rules()) + ",\"fired\":" + fired + "}}");
  field("lastViewedCount", std::to_string(maker_->LastViewedCount()));
  return j + "}\n";
}
