unit Unit1;

interface

uses
  SysUtils, Classes;

type
  TMyClass = class(TObject)
  private
    FName: string;
  public
    constructor Create(const AName: string);
    property Name: string read FName;
  end;

implementation

constructor TMyClass.Create(const AName: string);
begin
  inherited Create;
  FName := AName;
end;

end.
